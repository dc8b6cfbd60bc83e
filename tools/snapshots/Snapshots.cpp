// Renders the main window, the splash, the about box, the channel detail
// editor and the habit dialogs of Corvan, in English
// and in Chinese, to PNG files for a look at them without a desktop:
// Renders the main window, the splash and the about box of Corvan, and
// Halbrek's window and protect dialog, in English and in Chinese, to PNG files for a look at them
// without a desktop:
//   xvfb-run -a corvan_snapshots <output folder> [configuration.dat]
// The main window is shown once more with a configuration file opened: the
// one given, or a sample with channels in the first group. The radio
// information view is shown with the information of a sample radio; the batch
// channel page with its values and with its item choice; the feature pages and
// the model, test-data and print selection dialogs follow.
// The program folder of the build supplies language files and pictures;
// nothing is written there.
#include "channels/Channels.h"
#include "channels/FrmCHBatch.h"
#include "channels/FrmHabits.h"
#include "channels/ModBatch.h"
#include "channels/ModCHEdit.h"
#include "data/ConfigFiles.h"
#include "data/DatLayout.h"
#include "data/ModFunLang.h"
#include "data/ModHabits.h"
#include "data/ModInitV.h"
#include "data/ModShowFreFun.h"
#include "data/ModVerionMana.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "data/SharedState.h"
#include "data/widgets/FormHelpers.h"
#include "dealer/DealerTexts.h"
#include "dealer/ModData.h"
#include "dealer/widgets/FrmMain.h"
#include "dealer/widgets/FrmProtectPassWord.h"
#include "link/widgets/FrmPassWord.h"
#include "link/widgets/FrmSetComm.h"
#include "link/widgets/LoadFrmLink.h"
#include "pages/Pages.h"
#include "platform/App.h"
#include "platform/Forms.h"
#include "platform/SysLocale.h"
#include "platform/UserSettings.h"
#include "platform/widgets/FileDialogs.h"
#include "platform/widgets/FormLoader.h"
#include "platform/widgets/QtTranslations.h"
#include "platform/widgets/WheelRule.h"
#include "print/Print.h"
#include "shell/FrmMulSet.h"
#include "shell/FrmSetLanguage.h"
#include "shell/ModMain.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
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

// A configuration with a few channels of every kind, written as a file.
QString WriteSample(const QString& folder) {
    ModInitV::NewData();
    const char* const rx[] = {"435.02500", "438.50000", "", "446.00625", "462.56250"};
    for (int p = 1; p <= 5; ++p)
        if (*rx[p - 1]) ModShowFreFun::SetChannelCell(0, p, 1, QString::fromLatin1(rx[p - 1]));
    ModShowFreFun::SetChannelCell(0, 1, 2, QStringLiteral("430.02500"));
    ModShowFreFun::SetChannelCell(0, 1, 4, QStringLiteral("13"));
    ModShowFreFun::SetChannelCell(0, 2, 5, QStringLiteral("60"));
    ModShowFreFun::SetChannelCell(0, 4, 9, QStringLiteral("1"));
    ModShowFreFun::SetChannelCell(0, 5, 7, QStringLiteral("1"));
    const QString path = folder + QStringLiteral("/sample.dat");
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(DatLayout::Pack(gEditData));
    return path;
}

// The information of a radio as a radio-information read leaves it.
void FillSampleRadioInfo() {
    TLocalInfo& info = gLocalInfo;
    info.RadioType = QStringLiteral("KL740G");
    info.BandCode = 8; // 136 - 174 MHz
    info.AreaCode = QStringLiteral("0595");
    info.SerialNumber.AssignWithNul(QStringLiteral("KL7A24031588"));
    info.ProductedDate.AssignWithNul(QStringLiteral("2024-03-15"));
    info.MaintainedDate.AssignWithNul(QStringLiteral("2025-01-09"));
    info.Description.AssignWithNul(
        QStringLiteral("Battery contacts cleaned, antenna replaced, alignment checked."));
    info.Version = QStringLiteral("V2.00");
    info.BatchNumber.AssignWithNul(QStringLiteral("03-1-E-1"));
    info.UserCode.AssignWithNul(QStringLiteral("001A"));
    info.DealerCode.AssignWithNul(QStringLiteral("D-1042"));
    info.StockDate.AssignWithNul(QStringLiteral("2024-04-02"));
    info.SellDate.AssignWithNul(QStringLiteral("2024-05-20"));
    info.Seller.AssignWithNul(QStringLiteral("Harbour Radio"));
}

// Dialogs shown one after the other.
const QStringList kDialogs = {"FrmModelInfo", "FrmTestData", "FrmPrintList"};

} // namespace

// Halbrek's window in both languages (the system locale chooses), with a
// radio's dealer information and a protected password, and its protect dialog.
bool SaveHalbrek(const QString& out) {
    bool ok = true;
    QTemporaryDir settings;
    Platform::SetAppPath(settings.path()); // its settings file is written beside it
    for (int lcid : {Platform::kLcidEnglishUs, Platform::kLcidChineseSimplified}) {
        const QString tag =
            lcid == Platform::kLcidChineseSimplified ? QStringLiteral("zh") : QStringLiteral("en");
        Platform::SetSystemLcidForTesting(lcid);
        Halbrek::FrmMain window;
        using Halbrek::StoreFixed;
        Halbrek::TRadioInfo& d = Halbrek::gDealerInfo;
        d.BandCode = 8;
        d.Kill = 1;
        StoreFixed(d.DealerCode, QStringLiteral("D-0815"));
        StoreFixed(d.StockDate, QStringLiteral("2025-02-01"));
        StoreFixed(d.SellDate, QStringLiteral("2025-03-12"));
        StoreFixed(d.Seller, QStringLiteral("Lin"));
        StoreFixed(d.Password, QStringLiteral("1234"));
        StoreFixed(d.Description, QStringLiteral("Battery contacts cleaned"));
        StoreFixed(Halbrek::gProtectInfo.Answer, QStringLiteral("6688"));
        window.ShowByData();
        window.ShowStatus(Halbrek::Text(Halbrek::kWaitingNext));
        window.show();
        ok = Save(&window, out + QStringLiteral("/halbrek_%1.png").arg(tag)) && ok;
        Halbrek::ModProtect::gProtectMode = -1;
        Halbrek::FrmProtectPassWord dialog(&window);
        dialog.show();
        ok = Save(&dialog, out + QStringLiteral("/halbrek_protect_%1.png").arg(tag)) && ok;
    }
    Platform::SetSystemLcidForTesting(-1);
    Platform::SetAppPath(QString());
    return ok;
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Platform::InstallWheelRule(app);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: corvan_snapshots <output folder> [configuration.dat]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QTemporaryDir store;
    Platform::SetUserSettingsFolder(store.path());
    Platform::SetAppPath(QStringLiteral(CORVAN_PROGRAM_DIR));

    Channels::RegisterForms();
    Pages::RegisterForms();
    Print::RegisterForms();
    frmMain::SetChannelEditRunner(ModCHEdit::RunCommand);
    frmMain::SetEditCommandsUpdater(ModCHEdit::UpdateEditCommands);
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
        main->show();
        ok = Save(main, out + QStringLiteral("/main_%1.png").arg(tag)) && ok;

        ModVerionMana::LoadVersionIni();
        gDataFileName = argc == 3 ? QString::fromLocal8Bit(argv[2]) : WriteSample(store.path());
        main->CloseCurAllWindows();
        Settle();
        if (ModShowFreFun::OpenDataFile(main))
            ok = Save(main, out + QStringLiteral("/main_file_%1.png").arg(tag)) && ok;
        else
            ok = false;

        gEditGroup = 0;
        gEditRow = 1;
        // the detail editor opened by the grid page's button, where the user opens it
        if (auto* button = main->findChild<QPushButton*>(QStringLiteral("CommandCHInfoEdit")))
            button->click();
        if (auto* editor =
                qobject_cast<QWidget*>(Platform::Forms::Find(QStringLiteral("FrmCHInfoEdit")))) {
            QWidget* frame = qobject_cast<QMdiSubWindow*>(editor->parentWidget());
            ok =
                Save(frame ? frame : editor, out + QStringLiteral("/chinfoedit_%1.png").arg(tag)) &&
                ok;
            ok = Save(main, out + QStringLiteral("/main_chinfoedit_%1.png").arg(tag)) && ok;
            if (frame) frame->close();
        } else {
            ok = false;
        }
        auto* habits = new FrmHabits(main);
        habits->show();
        ok = Save(habits, out + QStringLiteral("/habits_%1.png").arg(tag)) && ok;
        delete habits;
        gConfirmMode = 1;
        auto* confirm = new FrmMsgConfirm(main);
        confirm->show();
        ok = Save(confirm, out + QStringLiteral("/confirm_%1.png").arg(tag)) && ok;
        delete confirm;

        FillSampleRadioInfo();
        gHelpOn = true; // as the program starts
        if (QWidget* info = ModFun::ShowChildForm(QStringLiteral("FrmRadioInfo"))) {
            QWidget* frame = qobject_cast<QMdiSubWindow*>(info->parentWidget());
            ok = Save(frame ? frame : info, out + QStringLiteral("/radioinfo_%1.png").arg(tag)) &&
                 ok;
        } else {
            ok = false;
        }

        // the feature pages with the sample configuration
        for (const char* name : {"FrmKey", "FrmScan", "FrmAlert", "FrmDTMF", "FrmOptFeatures",
                                 "FrmEmbMsg", "FrmRadio", "FrmTestFre"}) {
            if (QWidget* page = ModFun::ShowChildForm(QLatin1String(name))) {
                QWidget* frame = qobject_cast<QMdiSubWindow*>(page->parentWidget());
                const QString file = QString::fromLatin1(name).toLower();
                ok =
                    Save(frame ? frame : page, out + QStringLiteral("/%1_%2.png").arg(file, tag)) &&
                    ok;
                // every tab of a page with tabs
                if (auto* tabs = page->findChild<QTabWidget*>())
                    for (int t = 1; t < tabs->count(); ++t) {
                        tabs->setCurrentIndex(t);
                        ok = Save(frame ? frame : page, out + QStringLiteral("/%1_tab%2_%3.png")
                                                                  .arg(file)
                                                                  .arg(t + 1)
                                                                  .arg(tag)) &&
                             ok;
                    }
            } else {
                ok = false;
            }
        }
        // the model, test-data and print selection dialogs
        for (const QString& dialog : kDialogs) {
            QWidget* w = Platform::Forms::Create(dialog);
            if (w) w->show();
            ok = w && Save(w, out + QStringLiteral("/%1_%2.png").arg(dialog.toLower(), tag)) && ok;
            delete w;
        }

        auto* about = new frmAbout(main);
        about->show();
        ok = Save(about, out + QStringLiteral("/about_%1.png").arg(tag)) && ok;
        delete about;

        // The batch page keeps its item flags beside the program: here in a
        // folder of its own that borrows the program's language files.
        {
            QTemporaryDir batchFolder;
            QFile::link(QStringLiteral(CORVAN_PROGRAM_DIR "/language"),
                        batchFolder.path() + QStringLiteral("/language"));
            Platform::SetAppPath(batchFolder.path());
            ModBatch::LoadBatchFlags();
            auto* batch = new FrmCHBatch(main);
            batch->show();
            ok = Save(batch, out + QStringLiteral("/batch_%1.png").arg(tag)) && ok;
            if (auto* fun = batch->findChild<QPushButton*>(QStringLiteral("CommandFun")))
                fun->click();
            ok = Save(batch, out + QStringLiteral("/batch_items_%1.png").arg(tag)) && ok;
            delete batch;
            Platform::SetAppPath(QStringLiteral(CORVAN_PROGRAM_DIR));
        }

        auto* port = new FrmSetComm(main);
        port->show();
        ok = Save(port, out + QStringLiteral("/port_%1.png").arg(tag)) && ok;
        delete port;
        auto* link = new LoadFrmLink(main);
        link->show();
        ok = Save(link, out + QStringLiteral("/firstrun_%1.png").arg(tag)) && ok;
        delete link;

        auto* languageDialog = new FrmSetLanguage(main);
        languageDialog->show();
        ok = Save(languageDialog, out + QStringLiteral("/language_%1.png").arg(tag)) && ok;
        delete languageDialog;

        auto* countDialog = new FrmMulSet(main);
        countDialog->show();
        ok = Save(countDialog, out + QStringLiteral("/mulset_%1.png").arg(tag)) && ok;
        delete countDialog;

        auto* password = new FrmPassWord(main);
        password->show();
        ok = Save(password, out + QStringLiteral("/password_%1.png").arg(tag)) && ok;
        delete password;

        // a question with the standard buttons, and the Open dialog, in the
        // program's language
        Platform::UseQtLanguage(language == 2);
        {
            QMessageBox question(QMessageBox::Warning, ModFunLang::GetLangText(12000),
                                 ModFunLang::GetLangText(9006),
                                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, main);
            question.show();
            ok = Save(&question, out + QStringLiteral("/question_%1.png").arg(tag)) && ok;
            QFileDialog open(main, QString(), Platform::FileDialogs::StartFolder(gDataFileName));
            open.setOption(QFileDialog::DontUseNativeDialog);
            open.setNameFilter(ModFunLang::GetLangText(9001) + QStringLiteral(" (*.dat)"));
            open.show();
            ok = Save(&open, out + QStringLiteral("/open_%1.png").arg(tag)) && ok;
        }
        Platform::UseQtLanguage(false);
        delete main;

        // A factory workplace: the Factory and Lock switches on the toolbar.
        gTestDataOn = true;
        gFactory = 1;
        gLock = 1;
        auto* factory = new frmMain;
        factory->show();
        ok = Save(factory, out + QStringLiteral("/main_factory_%1.png").arg(tag)) && ok;
        delete factory;
        gTestDataOn = false;
        gFactory = 0;
        gLock = 0;
    }
    ok = SaveHalbrek(out) && ok;
    return ok ? 0 : 1;
}
