#include "channels/ModBatch.h"

#include "platform/App.h"

#include <QFile>

std::array<quint8, ModBatch::kBatchItemCount> gBatchFunFlags{};

namespace ModBatch {

namespace {

QString BatchFilePath() {
    return Platform::JoinPath(Platform::AppPath(), QStringLiteral("BatchFun.ini"));
}

} // namespace

void DefaultBatchFlags() {
    gBatchFunFlags.fill(1);
}

int FlagToBool(quint8 flag) {
    return flag != 0 ? 1 : 0;
}

bool SaveBatchFlags() {
    // the record is the file's first 20 bytes; anything behind it stays
    QFile file(BatchFilePath());
    if (!file.open(QIODevice::ReadWrite)) return false;
    const auto* bytes = reinterpret_cast<const char*>(gBatchFunFlags.data());
    return file.seek(0) && file.write(bytes, kBatchItemCount) == kBatchItemCount;
}

void LoadBatchFlags() {
    DefaultBatchFlags();
    QFile file(BatchFilePath());
    if (!file.exists()) {
        SaveBatchFlags();
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray record = file.read(kBatchItemCount);
    for (qsizetype i = 0; i < record.size(); ++i)
        gBatchFunFlags[static_cast<std::size_t>(i)] = static_cast<quint8>(record[i]);
}

} // namespace ModBatch
