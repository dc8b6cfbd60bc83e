// Renders the main window, the splash and the about box of Corvan, in English
// and in Chinese, to PNG files for a look at them without a desktop:
//   xvfb-run -a corvan_snapshots <output folder>
// The program folder of the build supplies language files and pictures;
// nothing is written there.
#include "channels/Channels.h"
#include "data/ModFunLang.h"
#include "data/ModInitV.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "platform/App.h"
#include "platform/UserSettings.h"
#include "shell/ModMain.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

namespace {

void Settle() {
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

bool Save(QWidget* w, const QString& path) {
    Settle();
    const bool ok = w->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvan_snapshots <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QTemporaryDir store;
    Platform::SetUserSettingsFolder(store.path());
    Platform::SetAppPath(QStringLiteral(CORVAN_PROGRAM_DIR));

    Channels::RegisterForms();
    bool ok = true;
    for (int language : {1, 2}) {
        const QString tag = language == 2 ? QStringLiteral("zh") : QStringLiteral("en");
        ModMain::InitGlobals();
        gCurrentLanguage = gPrevLanguage = static_cast<qint16>(language);
        ModSettings::SetLanguageFile(language);
        Platform::SetAppTitle(ModFunLang::GetLangText(12000));
        ModInitV::NewData();

        auto* splash = new frmSplash;
        splash->Timer1().stop();
        splash->show();
        ok = Save(splash, out + QStringLiteral("/splash_%1.png").arg(tag)) && ok;
        delete splash;

        auto* main = new frmMain;
        main->resize(1000, 700);
        main->show();
        ok = Save(main, out + QStringLiteral("/main_%1.png").arg(tag)) && ok;

        auto* about = new frmAbout(main);
        about->show();
        ok = Save(about, out + QStringLiteral("/about_%1.png").arg(tag)) && ok;
        delete about;
        delete main;
    }
    return ok ? 0 : 1;
}
