#include "shell/frmMain.h"

#include "data/ConfigFiles.h"
#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/ModVerionMana.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "data/widgets/FormHelpers.h"
#include "link/ModComm.h"
#include "link/RadioCommands.h"
#include "link/widgets/DialogHost.h"
#include "platform/App.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/serial/SerialControl.h"
#include "platform/widgets/FormLoader.h"
#include "shell/pictures/Pictures.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QTime>
#include <QToolBar>
#include <QTreeWidget>

using ModFunLang::GetLangText;

qint16 gCHEditCmd = 0;

// The pictures are built into the shell library; this keeps them in the
// program.
static void InitPictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace {

QPointer<frmMain> gMain;

} // namespace

frmMain* frmMain::Instance() {
    return gMain;
}

frmMain* frmMain::LoadMain() {
    if (gMain) return gMain;
    auto* w = new frmMain;
    w->show();
    return w;
}

void frmMain::SetEditCommandsUpdater(EditCommandsUpdater updater) {
    editCommandsUpdater_ = std::move(updater);
}

void frmMain::SetChannelEditRunner(ChannelEditRunner runner) {
    channelEditRunner_ = std::move(runner);
    if (gMain) gMain->RefreshCommands();
}

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
    InitPictures();
    setObjectName(QStringLiteral("frmMain"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QPixmap::fromImage(Pictures::AppIcon(64))));
    gMain = this;

    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    BuildTreePane();
    row->addWidget(Picture1);
    mdi_ = new QMdiArea(central);
    mdi_->setObjectName(QStringLiteral("MDIClient"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    row->addWidget(mdi_, 1);
    setCentralWidget(central);

    BuildMenus();
    BuildToolbar();
    BuildStatusBar();

    const struct {
        QTimer* timer;
        const char* name;
        int interval;
    } timers[] = {
        {&timerCHEdit_, "TimerCHEdit", 20},
        {&newDocTimer_, "NewDocTimer", 100},
    };
    for (const auto& t : timers) {
        t.timer->setObjectName(QLatin1String(t.name));
        t.timer->setInterval(t.interval);
        t.timer->setSingleShot(true);
    }
    connect(&newDocTimer_, &QTimer::timeout, this, &frmMain::NewDocTimer_Timer);
    connect(&timerCHEdit_, &QTimer::timeout, this, &frmMain::TimerCHEdit_Timer);
    clock_.setInterval(1000);
    connect(&clock_, &QTimer::timeout, this, &frmMain::UpdateClock);
    clock_.start();

    radioCommands_ = new RadioCommands(this);
    dialogHost_ = std::make_unique<DialogHost>(this);
    ModComm::SetSessionHost(dialogHost_.get());
    connect(Item("mnuReadFromRadio"), &QAction::triggered, radioCommands_,
            &RadioCommands::mnuReadFromRadio_Click);
    connect(Item("mnuWriteToRadio"), &QAction::triggered, radioCommands_,
            &RadioCommands::mnuWriteToRadio_Click);
    connect(Item("MnuLocalInfo"), &QAction::triggered, radioCommands_,
            &RadioCommands::mnuRadioInfo_Click);

    Platform::Forms::Register(this);
    Platform::Forms::SetChildHost({[this](QWidget* form) {
                                       Platform::Forms::Register(form);
                                       QMdiSubWindow* sub = mdi_->addSubWindow(form);
                                       sub->setAttribute(Qt::WA_DeleteOnClose);
                                       sub->show();
                                       form->show();
                                   },
                                   [this] { mdi_->cascadeSubWindows(); }});
    ModFun::InstallWindowOps();
    ModVerionMana::SetSwitchHooks({[this] { return AskSaveBeforeSwitch(); },
                                   [] { ModComm::MSComm1().Close(); },
                                   [this] {
                                       leavingWithoutQuestion_ = true;
                                       close();
                                   }});

    MDIForm_Load();
}

frmMain::~frmMain() {
    // From here on the window is no main window to find.
    Platform::Forms::Unregister(this);
    ModComm::SetSessionHost(nullptr);
    Platform::Forms::SetChildHost({});
    Platform::Forms::SetWindowOps({});
    ModVerionMana::SetSwitchHooks({});
}

// ---------------------------------------------------------------- helpers

QString frmMain::Title() const {
    return GetLangText(12000);
}

void frmMain::UpdateClock() {
    if (panels_.size() < 5) return;
    // digits only, whatever the locale's words for the day and the hour
    panels_[3]->setText(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    panels_[4]->setText(QTime::currentTime().toString(QStringLiteral("HH:mm")));
}

void frmMain::ShowModalForm(const QString& name) {
    QWidget* form = Platform::Forms::Create(name);
    if (!form) return;
    if (auto* dialog = qobject_cast<QDialog*>(form)) {
        dialog->setParent(this, dialog->windowFlags() | Qt::Dialog);
        dialog->exec();
        delete dialog;
        ShowComPort(); // the port that the next session opens
        // the window is active again: a language chosen in the dialog shows now
        MDIForm_Activate();
        return;
    }
    form->setParent(this, Qt::Dialog);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->setWindowModality(Qt::ApplicationModal);
    form->show();
}

void frmMain::RunChannelEdit(int code) {
    SetSaveEditData();
    gCHEditCmd = static_cast<qint16>(code);
    timerCHEdit_.start();
}

void frmMain::TimerCHEdit_Timer() {
    timerCHEdit_.stop();
    if (channelEditRunner_) channelEditRunner_(gCHEditCmd);
}

// ---------------------------------------------------------------- public methods

void frmMain::Change_Language() {
    LoadLanguageTexts();
    LoadTree();
}

bool frmMain::FindWindowByName(const QString& rFrmName) const {
    return Platform::Forms::IsLoaded(rFrmName);
}

void frmMain::CloseCurAllWindows() {
    CommitPendingEdits();
    QStringList names;
    for (QObject* form : Platform::Forms::Loaded()) {
        const QString name = form->objectName();
        if (name.compare(QLatin1String("frmMain"), Qt::CaseInsensitive) != 0 &&
            !names.contains(name, Qt::CaseInsensitive))
            names << name;
    }
    for (const QString& name : names)
        ModFun::UnloadFormByName(name);
}

void frmMain::ShowCHInfo(bool rShow) {
    const bool shown = rShow && gLock == 0;
    Item("MnuCHEdit")->setVisible(shown);
    const QList<QAction*> buttons = tbToolBar->actions();
    for (int i = 11; i <= 19 && i <= buttons.size(); ++i)
        buttons[i - 1]->setVisible(shown);
    RefreshCommands();
}

void frmMain::SetSaveEditData() {
    CommitPendingEdits();
    for (Views::ChannelGrid* grid :
         Platform::Forms::AllAs<Views::ChannelGrid>(QLatin1String(Views::ChannelGrid::kFormName)))
        grid->SetEditDisable();
}

void frmMain::CommitPendingEdits() {
    // The grid first: its open cell belongs to the channel it was opened on,
    // before the detail editor or a page changes anything.
    QList<QPointer<QObject>> forms;
    for (const char* first : {"frmCommChInfo", "FrmCHInfoEdit"})
        for (QObject* form : Platform::Forms::Loaded())
            if (form->objectName().compare(QLatin1String(first), Qt::CaseInsensitive) == 0)
                forms << form;
    for (QObject* form : Platform::Forms::Loaded())
        if (form != this && !forms.contains(form)) forms << form;
    for (const QPointer<QObject>& form : forms)
        if (form) Platform::Forms::Validate(form);
}

void frmMain::UpdateEditCommands(int number) {
    if (editCommandsUpdater_) editCommandsUpdater_(this, number);
    RefreshCommands();
}

void frmMain::AllowEditCommands(bool hasData, bool clipboardFull) {
    editHasData_ = hasData;
    editClipboardFull_ = clipboardFull;
    RefreshCommands();
}

void frmMain::PopupEditMenu(const QPoint& globalPos) {
    MnuCHEdit->popup(globalPos);
}

void frmMain::ShowComPort() {
    panels_[2]->setText(GetLangText(12008) + QString::number(gComPort));
}

void frmMain::ShowMainTxt() {
    setWindowTitle(GetLangText(12000) + u'[' + gModelName + u':' + gBandText +
                   QStringLiteral("][") + GetLangText(12009) + u':' +
                   ModFun::GetFileName(gDataFileName) + u']');
    Label1->setText(gModelName);
    if (TreeView1->topLevelItemCount() > 0) TreeView1->topLevelItem(0)->setText(0, Label1->text());
}

void frmMain::LoadBKPic() {
    const QString path =
        Platform::JoinPath(Platform::JoinPath(Platform::AppPath(), QStringLiteral("PIC")),
                           QStringLiteral("BK_%1.jpg").arg(gCurrentLanguage));
    QImage picture;
    // A picture of 2 pixels or less on a side has nothing left to tile once
    // its border pixels are cut away: the background then stays plain.
    if (!picture.load(path) || picture.width() <= 2 || picture.height() <= 2) {
        mdi_->setBackground(palette().brush(QPalette::Dark));
        return;
    }
    const QImage tile = picture.copy(1, 1, picture.width() - 2, picture.height() - 2);
    mdi_->setBackground(QBrush(QPixmap::fromImage(tile)));
}

// ---------------------------------------------------------------- load and exit

void frmMain::MDIForm_Load() {
    SetShown(Item("mnuHelpTopic"), gHelpOn);

    // Factory tools: only a program started in test-data mode offers them.
    if (gTestDataOn) {
        if (gFactory == 0) gTestDataOn = false;
        ToolButton("btnFactory")->setVisible(true);
        ToolButton("btnFactory")->setChecked(gFactory != 0);
        ToolButton("btnLock")->setVisible(true);
        ToolButton("btnLock")->setChecked(gLock != 0);
    } else {
        ToolButton("btnFactory")->setVisible(false);
        ToolButton("btnFactory")->setChecked(false);
        ToolButton("btnLock")->setVisible(false);
        ToolButton("btnLock")->setChecked(false);
        gLock = 0;
        gFactory = 0;
    }
    SetShown(Item("mnuTestData"), gTestDataOn);
    SetShown(Item("MnuCHBatch"), gLock != 1);

    SetShown(Item("MnuTestFre"), false);
    SetShown(Item("MnuRadioFre"), false);
    SetShown(Item("mnuFileEOpen"), false);
    ShowCHInfo(false);

    timerCHEdit_.stop();
    gCHEditCmd = 0;
    moveTree = false;
    radioCommands_->WaitSaveDataTimer.stop();

    const bool stored = RestoreWindowRect();

    SetShown(Item("mnuWindowTileHorizontal"), false);
    SetShown(Item("mnuWindowTileVertical"), false);
    SetShown(Item("mnuWindowArrangeIcons"), false);

    LoadLanguageTexts();
    LoadTree();
    LoadNewDoc2();
    RefreshCommands();
    fitOnShow_ = !stored;
}

void frmMain::MDIForm_Activate() {
    if (gCurrentLanguage == gPrevLanguage) return;
    gPrevLanguage = gCurrentLanguage;
    Change_Language();
    CloseCurAllWindows();
    ModFun::ShowChildForm(QStringLiteral("frmCommChInfo"));
}

bool frmMain::MDIForm_Unload() {
    StoreWindowRect();
    if (!leavingWithoutQuestion_) {
        CommitPendingEdits(); // a typed value counts as an edit
        if (ModShowFreFun::IsDataModified()) {
            const int answer = AskSaveChanges();
            if (answer == Platform::Mb::IdCancel) return false;
            if (answer == Platform::Mb::IdYes && !FileSave()) return false;
        }
    }
    ModComm::EndForExit();           // no session outlives the window
    ModSettings::WriteSettingFile(); // a failure here stops nothing
    return true;
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (unloaded_) {
        event->accept();
        return;
    }
    if (!MDIForm_Unload()) {
        leavingWithoutQuestion_ = false;
        event->ignore();
        return;
    }
    unloaded_ = true;
    clock_.stop();
    event->accept();
}

void frmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) MDIForm_Activate();
}
