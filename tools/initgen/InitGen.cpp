// Writes the default configurations that File New loads from the program's
// "Init" folder: one for every model and band of the model dialog, each with
// its "NVD" side file. None gets a ".ted": calibration belongs to a radio, and
// a default holds none that a factory write could send.
//
// Each holds a new configuration as the pages show it and a radio gives it
// back: the record defaults, then the pages' own load rules, the same that
// File New keeps when it finds no default file it can take (every feature page
// loaded once, unseen, so that a default outside a page's list takes the value
// that page gives it: voice volume 1, DTMF rate 50 ms, look-back 0.5 s, alarm
// time 1 s, the emergency and priority channels on channel 1, ...), then
// through the radio image and back, so that every text is in the form a radio
// read gives (an empty test frequency "FFFFFFFF", a channel without offset
// "0000000"). No value is written here; they all come from the defaults, the
// pages and the codec.
//
//   QT_QPA_PLATFORM=offscreen corvan-initgen <program folder>
// The program folder holds "language"; its "Init" folder is written afresh.
#include "data/ConfigFiles.h"
#include "data/DatLayout.h"
#include "data/ModCommFun.h"
#include "data/ModCommImage.h"
#include "data/ModFreFile.h"
#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/ModInitV.h"
#include "data/ModVerionMana.h"
#include "data/RadioData.h"
#include "pages/Pages.h"
#include "platform/App.h"

#include <QApplication>
#include <QDir>
#include <QSaveFile>
#include <cstdio>

namespace {

QByteArray Configuration() {
    return DatLayout::Pack(gEditData) + DatLayout::PackExtra(gEditExtraData);
}

bool Write(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    std::fprintf(stderr, "corvan-initgen: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvan-initgen <program folder>\n");
        return 2;
    }
    const QString programDir = QString::fromLocal8Bit(argv[1]);
    Platform::SetAppPath(programDir);
    ModFunLang::gLangFileName = QStringLiteral("english.ini");
    Pages::RegisterForms();
    gEditData.Version.Assign(QLatin1String(ModVerionMana::kOwnVersion));

    QDir init(Platform::JoinPath(programDir, QStringLiteral("Init")));
    if ((init.exists() && !init.removeRecursively()) || !QDir().mkpath(init.path())) {
        std::fprintf(stderr, "corvan-initgen: cannot make %s\n", qPrintable(init.path()));
        return 1;
    }
    for (const QString& model : ModFreFile::ModelNames()) {
        for (const QString& band : ModFreFile::BandTexts()) {
            gModelName = model;
            gBandText = band;
            ModFun::ParseBandLimits();
            ModInitV::NewPlainData();
            ModInitV::ApplyPageLoadRules();
            ModComm::ClearImage();
            ModCommFun::EncodeImage();
            ModCommFun::DecodeImage();
            const QByteArray made = Configuration();
            ModInitV::ApplyPageLoadRules(); // what the pages show now is what is kept
            ModComm::ClearImage();
            ModCommFun::EncodeImage();
            ModCommFun::DecodeImage();
            if (Configuration() != made) {
                std::fprintf(stderr, "corvan-initgen: %s [%s] does not settle\n", qPrintable(model),
                             qPrintable(band));
                return 1;
            }
            const QString dat = init.filePath(
                QStringLiteral("%1_%2.dat").arg(model).arg(ModFreFile::BandTextToCode(band)));
            if (!Write(dat, DatLayout::Pack(gEditData)) ||
                !Write(ModFreFile::SideFileName(dat, QStringLiteral("NVD")),
                       DatLayout::PackExtra(gEditExtraData)))
                return 1;
        }
    }
    return 0;
}
