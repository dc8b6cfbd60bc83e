#include "pages/FrmTestData.h"

#include "data/ConfigFiles.h"
#include "data/DatLayout.h"
#include "data/ModFunLang.h"
#include "data/ModTestData.h"
#include "data/ProgramSettings.h"
#include "data/SharedState.h"
#include "data/widgets/FormHelpers.h"
#include "pages/FeaturePage.h"
#include "pages/PageInputs.h"
#include "platform/FileReplace.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/Numbers.h"
#include "platform/widgets/FileDialogs.h"

#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

using Pages::FeaturePage;

namespace {

QRect Twips(int left, int top, int width, int height) {
    return {FeaturePage::Px(left), FeaturePage::Px(top), FeaturePage::Px(width),
            FeaturePage::Px(height)};
}

// The byte each screen row shows, top to bottom, and the byte names.
constexpr int kRowByte[11] = {0, 1, 2, 3, 4, 5, 10, 6, 7, 8, 9};
const char* const kByteNames[11] = {"Freq",         "PowerH",      "PowerM",      "PowerL",
                                    "发射音频频偏", "DTMF 频偏",   "D017N频偏",   "67.0Hz频偏",
                                    "136.5Hz频偏",  "254.1Hz频偏", "单音1.5K频偏"};
constexpr int kRowTop = 200;
constexpr int kRowStep = 400;

} // namespace

FrmTestData::FrmTestData(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmTestData"));
    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(Twips(120, 60, 3600, kRowTop * 2 + kRowStep * 11));
    for (int row = 0; row < 11; ++row) {
        const int byte = kRowByte[row];
        auto* label = new QLabel(QString::fromUtf8(kByteNames[byte]), frame);
        label->setObjectName(QStringLiteral("Label1"));
        label->setProperty("Index", byte);
        label->setGeometry(Twips(120, kRowTop + kRowStep * row + 30, 1900, 300));
        auto* box = new QLineEdit(frame);
        box->setObjectName(QStringLiteral("Text1"));
        box->setProperty("Index", byte);
        box->setGeometry(Twips(2100, kRowTop + kRowStep * row, 1200, 330));
        box->setMaxLength(3);
        Pages::SetTextKeyRule(box, [](QChar c) { return c >= u'0' && c <= u'9' ? c : QChar(); });
        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this, [box](const QString& text) {
            const QString corrected = CorrectByte(text);
            if (corrected != text) box->setText(corrected);
        });
        Label1[static_cast<std::size_t>(byte)] = label;
        Text1[static_cast<std::size_t>(byte)] = box;
    }
    int buttonsTop = 60 + kRowTop * 2 + kRowStep * 11 + 200;
    if (!ModTestData::IsTestBlockKnown()) {
        // what OK and a write do with a block the configuration does not hold
        LabelNoBlock = new QLabel(ModFunLang::GetLangText(9085), this);
        LabelNoBlock->setObjectName(QStringLiteral("LabelNoBlock"));
        LabelNoBlock->setWordWrap(true);
        LabelNoBlock->setGeometry(Twips(120, buttonsTop - 100, 3600, 1700));
        buttonsTop += 1700;
    }
    for (int i = 0; i < 2; ++i) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("Command1"));
        button->setProperty("Index", i);
        button->setGeometry(Twips(120 + 1900 * i, buttonsTop, 1700, 375));
        Command1[static_cast<std::size_t>(i)] = button;
    }
    CommandOK = new QPushButton(this);
    CommandOK->setObjectName(QStringLiteral("CommandOK"));
    CommandOK->setGeometry(Twips(120, buttonsTop + 500, 1700, 375));
    CommandCancel = new QPushButton(this);
    CommandCancel->setObjectName(QStringLiteral("CommandCancel"));
    CommandCancel->setGeometry(Twips(2020, buttonsTop + 500, 1700, 375));
    setFixedSize(FeaturePage::Px(3840), FeaturePage::Px(buttonsTop + 1080));

    connect(Command1[0], &QPushButton::clicked, this, [this] { LoadFile(); });
    connect(Command1[1], &QPushButton::clicked, this, [this] { SaveFile(); });
    connect(CommandOK, &QPushButton::clicked, this, [this] {
        // nothing typed or loaded into the empty boxes: still no block
        if (EmptyBoxes() == int(Text1.size())) return accept();
        if (!IsFilledIn()) return;
        ReadTestData();
        ModTestData::TakeDialogBlock(work_);
        accept();
    });
    connect(CommandCancel, &QPushButton::clicked, this, [this] { reject(); });

    // load
    Platform::Forms::Register(this);
    SetLanguageCaptions();
    // values the configuration does not hold are not shown: the boxes stay empty
    work_ = gEditTestBlock.bytes;
    if (ModTestData::IsTestBlockKnown()) ShowTestData();
    if (gLock != 0) ModFun::SetControlsEnabled(this);
}

QString FrmTestData::CorrectByte(const QString& text) {
    if (!Platform::IsNumeric(text)) return QStringLiteral("0");
    const long long v = Platform::RoundHalfAway(Platform::Val(text));
    return QString::number(qBound(0LL, v, 255LL));
}

QString FrmTestData::TestFileTarget(const QString& chosen) {
    return QFileInfo(chosen).suffix().isEmpty() ? chosen + QStringLiteral(".ted") : chosen;
}

bool FrmTestData::MaySaveTo(const QString& path) {
    const auto isTed = [](const QString& name) {
        return name.endsWith(QLatin1String(".ted"), Qt::CaseInsensitive);
    };
    if (!isTed(path) || !isTed(Platform::FileReplace::ResolveLinks(path))) return false;
    // a configuration renamed to ".ted"
    const QFileInfo chosen(path);
    return !chosen.exists() ||
           (chosen.size() != DatLayout::kFileSize && chosen.size() != DatLayout::kShortFileSize);
}

void FrmTestData::SetLanguageCaptions() {
    const bool chinese = gCurrentLanguage == 2;
    setWindowTitle(chinese ? QStringLiteral("测试数据") : QStringLiteral("Test Data"));
    Command1[0]->setText(chinese ? QStringLiteral("加载(&L)") : QStringLiteral("&Load"));
    Command1[1]->setText(chinese ? QStringLiteral("保存(&S)") : QStringLiteral("&Save"));
    fileTitle_ = chinese ? QStringLiteral("测试数据文件") : QStringLiteral("Test Data File");
    ModFunLang::SetOKCancelCaptions(this);
}

QString FrmTestData::Filter() const {
    return fileTitle_ + QStringLiteral(" (*.ted)|*.ted");
}

void FrmTestData::ShowTestData() {
    for (std::size_t i = 0; i < Text1.size(); ++i)
        Text1[i]->setText(QString::number(work_[i]));
}

int FrmTestData::EmptyBoxes() const {
    return int(std::count_if(Text1.begin(), Text1.end(),
                             [](const QLineEdit* box) { return box->text().isEmpty(); }));
}

bool FrmTestData::IsFilledIn() const {
    if (EmptyBoxes() == 0) return true;
    Platform::MsgBox(ModFunLang::GetLangText(9087),
                     Platform::Mb::OKOnly | Platform::Mb::Exclamation);
    return false;
}

void FrmTestData::ReadTestData() {
    for (std::size_t i = 0; i < Text1.size(); ++i)
        work_[i] = static_cast<quint8>(CorrectByte(Text1[i]->text()).toInt());
}

void FrmTestData::LoadFile() {
    const QString path = Platform::FileDialogs::GetOpenFileName(this, Filter(), gDataFileName);
    if (path.isEmpty()) return;
    if (const qint32 refused = ModTestData::ReadTestFile(path, work_)) {
        Platform::MsgBox(ModTestData::RefusalText(refused, path),
                         Platform::Mb::OKOnly | Platform::Mb::Exclamation);
        return;
    }
    ShowTestData();
}

void FrmTestData::SaveFile() {
    if (!IsFilledIn()) return;
    ReadTestData();
    // proposed beside the configuration, under the name of its test-data file
    const QString proposed = ModFreFile::SideFileName(gDataFileName, QStringLiteral(".ted"));
    // any other file is refused before the question whether to replace it
    const auto check = [](const QString& chosen) {
        if (MaySaveTo(TestFileTarget(chosen))) return true;
        Platform::MsgBox(ModFunLang::GetLangText(9080),
                         Platform::Mb::OKOnly | Platform::Mb::Exclamation);
        return false;
    };
    const QString path = Platform::FileDialogs::GetSaveFileName(this, Filter(), proposed,
                                                                QStringLiteral("ted"), check);
    if (path.isEmpty()) return;
    ModTestData::WriteTestFile(TestFileTarget(path), work_);
}

bool FrmTestData::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        auto* box = qobject_cast<QLineEdit*>(watched);
        // typing replaces the whole value
        if (box && !box->text().isEmpty()) QTimer::singleShot(0, box, [box] { box->selectAll(); });
    }
    return QDialog::eventFilter(watched, event);
}
