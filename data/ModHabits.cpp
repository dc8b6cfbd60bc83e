#include "data/ModHabits.h"

#include "data/SharedState.h"
#include "platform/App.h"

#include <QFile>
#include <QtEndian>

TChannel gEditClipboard;
bool gClipboardFull = false;
qint16 gConfirmMode = 0;

namespace ModHabits {

namespace {

bool THabits::*const kFields[] = {&THabits::NoPasteAsk, &THabits::PasteInserts,
                                  &THabits::NoDeleteAsk, &THabits::DeleteClosesGap,
                                  &THabits::TxAsOffset};

} // namespace

QString HabitFilePath() {
    return Platform::JoinPath(Platform::AppPath(), QStringLiteral("Habit.ini"));
}

void ClearClipboard() {
    gEditClipboard = TChannel{};
    gClipboardFull = false;
}

void LoadHabits() {
    ClearClipboard();
    gHabits = THabits{};
    QFile file(HabitFilePath());
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = file.read(kHabitFileSize);
    if (bytes.size() != kHabitFileSize) return;
    for (int i = 0; i < 5; ++i)
        gHabits.*kFields[i] = qFromLittleEndian<qint16>(bytes.constData() + 2 * i) != 0;
}

void SaveHabits() {
    QByteArray bytes(kHabitFileSize, '\0');
    for (int i = 0; i < 5; ++i)
        qToLittleEndian<qint16>(gHabits.*kFields[i] ? -1 : 0, bytes.data() + 2 * i);
    // one fixed record at the start of the file
    QFile file(HabitFilePath());
    if (!file.open(QIODevice::ReadWrite)) return;
    file.write(bytes);
}

void ApplyConfirmAnswer(int answer, bool boxTicked) {
    if (answer != 1 && answer != 2) return;
    const bool yes = answer == 1;
    if (gConfirmMode == 1) {
        gHabits.PasteInserts = yes;
        gHabits.NoPasteAsk = boxTicked;
    } else if (gConfirmMode == 2) {
        gHabits.DeleteClosesGap = yes;
        gHabits.NoDeleteAsk = boxTicked;
    }
    SaveHabits();
}

bool HabitFlag(int index) {
    return index >= 0 && index < 5 && gHabits.*kFields[index];
}

void SetHabitFlag(int index, bool value) {
    if (index >= 0 && index < 5) gHabits.*kFields[index] = value;
}

} // namespace ModHabits
