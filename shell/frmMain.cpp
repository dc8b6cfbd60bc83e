#include "shell/frmMain.h"

#include "data/ConfigFiles.h"
#include "data/ModFun.h"
#include "data/ModFunLang.h"
#include "data/ModInitV.h"
#include "data/ModVerionMana.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "data/widgets/FormHelpers.h"
#include "link/ModComm.h"
#include "link/RadioCommands.h"
#include "link/widgets/DialogHost.h"
#include "link/widgets/FrmPassWord.h"
#include "platform/App.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "platform/UserSettings.h"
#include "platform/serial/SerialControl.h"
#include "platform/widgets/FileDialogs.h"
#include "platform/widgets/FormLoader.h"
#include "platform/widgets/Help.h"
#include "platform/widgets/Screens.h"
#include "shell/ShellRules.h"
#include "shell/frmAbout.h"
#include "shell/pictures/Pictures.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QDialog>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTime>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using ModFunLang::GetLangText;
using ModFunLang::LangIds;

qint16 gCHEditCmd = 0;

// The pictures are built into the shell library; this keeps them in the
// program.
static void InitPictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace {

QPointer<frmMain> gMain;
frmMain::ChannelEditRunner gChannelEditRunner;
frmMain::EditCommandsUpdater gEditCommandsUpdater;

using Platform::Px;
constexpr int kMinPaneWidth = Px(300);

// Menu items that open a window, the window they open, and whether it is a
// modal dialog (else a page inside the main window).
struct PageItem {
    const char* item;
    const char* window;
    bool modal;
};
constexpr PageItem kPageItems[] = {
    {"mnuChannelInfo", "frmCommChInfo", false},
    {"mnuOptFeature", "FrmOptFeatures", false},
    {"MnuRadioFre", "FrmRadio", false},
    {"MnuDTMF", "FrmDTMF", false},
    {"MnuTestFre", "FrmTestFre", false},
    {"mnuEmbeddedMsg", "FrmEmbMsg", false},
    {"MnuKey", "FrmKey", false},
    {"MnuScan", "FrmScan", false},
    {"MnuAlert", "FrmAlert", false},
    {"mnuTestData", "FrmTestData", true},
    {"MnuCHBatch", "FrmCHBatch", true},
    {"mnuModelInfo", "FrmModelInfo", true},
    {"mnuFilePrint", "FrmPrintList", true},
    {"MnuProPassWord", "FrmPassWord", true},
    {"mnuComm", "FrmSetComm", true},
    {"mnuLanguage", "FrmSetLanguage", true},
};

// Toolbar: index (1-based), key, tip text; the other slots are separators.
struct ToolSlot {
    int index;
    const char* key;
    int tip;
};
constexpr ToolSlot kToolSlots[] = {
    {1, "NewFile", 11000},      {2, "OpenFile", 11001},       {3, "SaveFile", 11002},
    {5, "Print", 11003},        {7, "ReadRadio", 11004},      {8, "CommSet", 11005},
    {9, "WriteRadio", 11006},   {11, "BtnCHCut", 11010},      {12, "BtnCHCopy", 11011},
    {13, "BtnCHPaste", 11012},  {15, "BtnCHInsert", 11013},   {16, "BtnCHDelete", 11014},
    {17, "BtnCHMoveUp", 11015}, {18, "BtnCHMoveDown", 11016}, {20, "About", 11007},
    {22, "btnFactory", 0},      {23, "btnLock", 0},
};
constexpr int kToolSlotCount = 23;

// Menu item texts.
struct ItemText {
    const char* name;
    int text;
};
constexpr ItemText kItemTexts[] = {
    {"mnuFile", 10000},          {"mnuFileNew", 10001},       {"mnuFileOpen", 10002},
    {"mnuFileSave", 10003},      {"mnuFileSaveAs", 10004},    {"mnuFilePrint", 10005},
    {"mnuFileExit", 10006},      {"mnuModel", 10100},         {"mnuModelInfo", 10101},
    {"MnuCHEdit", 10800},        {"MnuCHCut", 10801},         {"MnuCHCopy", 10802},
    {"MnuCHPaste", 10803},       {"MnuCHInsert", 10804},      {"MnuCHDelete", 10805},
    {"MnuCHMoveUp", 10806},      {"MnuCHMoveDown", 10807},    {"mnuEdit", 10200},
    {"mnuChannelInfo", 10201},   {"mnuOptFeature", 10202},    {"MnuRadioFre", 10203},
    {"MnuDTMF", 10204},          {"MnuTestFre", 10205},       {"mnuEmbeddedMsg", 10206},
    {"MnuLocalInfo", 10207},     {"MnuKey", 10208},           {"MnuScan", 10209},
    {"MnuAlert", 10210},         {"MnuCHBatch", 10211},       {"mnuTestData", 10212},
    {"mnuProgram", 10300},       {"mnuReadFromRadio", 10301}, {"mnuWriteToRadio", 10302},
    {"MnuProPassWord", 10303},   {"mnuSet", 10400},           {"mnuComm", 10401},
    {"mnuLanguage", 10402},      {"MnuInit", 10403},          {"MnuCHHabits", 10808},
    {"mnuView", 10500},          {"mnuTreeView", 10501},      {"mnuViewToolbar", 10502},
    {"mnuViewStatusBar", 10503}, {"mnuWindow", 10600},        {"mnuWindowCascade", 10601},
    {"mnuCloseAll", 10602},      {"mnuHelp", 10700},          {"mnuHelpTopic", 10701},
    {"mnuHelpAbout", 10702},
};

// Tree nodes below the root: key, text, and whether only in test-data mode.
struct TreeNode {
    const char* key;
    int text;
    bool testDataOnly;
};
constexpr TreeNode kTreeNodes[] = {
    {"N1", 12001, false}, {"N2", 12002, false}, {"N4", 12004, false},
    {"N8", 12010, false}, {"N9", 12011, false}, {"N10", 12012, false},
    {"N11", 12013, true}, {"N6", 12006, false}, {"N7", 12007, false},
};

// The language texts of the window, for the language-file check.
[[maybe_unused]] constexpr auto kWindowTexts = LangIds(9001, 9006, 9007, 9026, 12000, 12008, 12009);

// Channel edit menu items and their command codes.
constexpr ItemText kChannelEditItems[] = {
    {"MnuCHCut", 1},    {"MnuCHCopy", 2},   {"MnuCHPaste", 3},    {"MnuCHInsert", 4},
    {"MnuCHDelete", 5}, {"MnuCHMoveUp", 6}, {"MnuCHMoveDown", 7}, {"MnuCHHabits", 8},
};

// The toolbar picture of a key (none for the buttons that show text).
QIcon ToolIcon(const QString& key) {
    const QString path = QStringLiteral(":/toolbar/%1.png").arg(key);
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

QIcon TreeIcon(bool root) {
    if (root) return QIcon(QPixmap::fromImage(Pictures::AppIcon(16)));
    return QIcon(QStringLiteral(":/tree/Page.png"));
}

QString NodeKey(const QTreeWidgetItem* item) {
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}

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
    gEditCommandsUpdater = std::move(updater);
}

void frmMain::SetChannelEditRunner(ChannelEditRunner runner) {
    gChannelEditRunner = std::move(runner);
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

// ---------------------------------------------------------------- building

void frmMain::BuildTreePane() {
    Picture1 = new QWidget;
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFixedWidth(200);
    auto* outer = new QHBoxLayout(Picture1);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto* frame = new QFrame(Picture1);
    Frame1 = frame;
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::StyledPanel);
    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(2);

    auto* header = new QHBoxLayout;
    header->setSpacing(0);
    Label1 = new QLabel(frame);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setIndent(4);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    header->addWidget(Label1, 1);
    Toolbar1 = new QToolBar(frame);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setIconSize(QSize(10, 10));
    QAction* close = Toolbar1->addAction(QStringLiteral("×"));
    close->setObjectName(QStringLiteral("删除"));
    close->setProperty("key", QStringLiteral("删除"));
    connect(close, &QAction::triggered, this,
            [this] { Toolbar1_ButtonClick(QStringLiteral("删除")); });
    header->addWidget(Toolbar1);
    column->addLayout(header);

    TreeView1 = new QTreeWidget(frame);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setRootIsDecorated(true);
    connect(TreeView1, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { TreeView1_NodeClick(NodeKey(item)); });
    connect(TreeView1, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { TreeView1_NodeClick(NodeKey(item)); });
    column->addWidget(TreeView1, 1);
    outer->addWidget(frame, 1);

    CommandMove = new QPushButton(Picture1);
    CommandMove->setObjectName(QStringLiteral("CommandMove"));
    CommandMove->setFixedWidth(5);
    CommandMove->setFlat(true);
    CommandMove->setFocusPolicy(Qt::NoFocus);
    CommandMove->setCursor(Qt::SizeHorCursor);
    CommandMove->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    CommandMove->installEventFilter(this);
    outer->addWidget(CommandMove);
}

void frmMain::BuildMenus() {
    QMenuBar* bar = menuBar();
    auto menu = [&](const char* name) {
        QMenu* m = bar->addMenu(QString());
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    };
    auto item = [&](QMenu* m, const char* name, QKeySequence key = {}) {
        auto* a = new QAction(this); // found by name from the window, and owned by it
        a->setObjectName(QLatin1String(name));
        m->addAction(a);
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WindowShortcut);
            addAction(a);
        }
        return a;
    };
    auto on = [&](const char* name, auto fn) {
        connect(Item(name), &QAction::triggered, this, fn);
    };

    QMenu* file = menu("mnuFile");
    item(file, "mnuFileNew", QKeySequence(Qt::CTRL | Qt::Key_N));
    item(file, "mnuFileOpen", QKeySequence(Qt::CTRL | Qt::Key_O));
    item(file, "mnuFileEOpen");
    item(file, "mnuFileSave");
    item(file, "mnuFileSaveAs");
    file->addSeparator();
    item(file, "mnuFilePrint");
    file->addSeparator();
    item(file, "mnuFileExit");

    QMenu* model = menu("mnuModel");
    item(model, "mnuModelInfo");

    QMenu* chEdit = menu("MnuCHEdit");
    item(chEdit, "MnuCHCut", QKeySequence(Qt::CTRL | Qt::Key_X));
    item(chEdit, "MnuCHCopy", QKeySequence(Qt::CTRL | Qt::Key_C));
    item(chEdit, "MnuCHPaste", QKeySequence(Qt::CTRL | Qt::Key_V));
    chEdit->addSeparator()->setObjectName(QStringLiteral("MnuCHBar1"));
    item(chEdit, "MnuCHInsert", QKeySequence(Qt::CTRL | Qt::Key_I));
    item(chEdit, "MnuCHDelete", QKeySequence(Qt::Key_Delete));
    item(chEdit, "MnuCHMoveUp", QKeySequence(Qt::CTRL | Qt::Key_U));
    item(chEdit, "MnuCHMoveDown", QKeySequence(Qt::CTRL | Qt::Key_D));

    QMenu* edit = menu("mnuEdit");
    item(edit, "mnuChannelInfo");
    edit->addSeparator();
    item(edit, "mnuOptFeature");
    item(edit, "MnuRadioFre");
    item(edit, "MnuDTMF");
    item(edit, "MnuKey");
    item(edit, "MnuScan");
    item(edit, "MnuAlert");
    item(edit, "MnuTestFre");
    item(edit, "mnuTestData");
    edit->addSeparator();
    item(edit, "mnuEmbeddedMsg");
    item(edit, "MnuLocalInfo");
    edit->addSeparator();
    item(edit, "MnuCHBatch");

    QMenu* program = menu("mnuProgram");
    item(program, "mnuReadFromRadio", QKeySequence(Qt::CTRL | Qt::Key_R));
    item(program, "mnuWriteToRadio", QKeySequence(Qt::CTRL | Qt::Key_W));
    item(program, "MnuProPassWord", QKeySequence(Qt::CTRL | Qt::Key_P));

    QMenu* settings = menu("mnuSet");
    item(settings, "mnuComm");
    item(settings, "mnuLanguage");
    item(settings, "MnuInit");
    settings->addSeparator()->setObjectName(QStringLiteral("MnuCHBar2"));
    item(settings, "MnuCHHabits", QKeySequence(Qt::CTRL | Qt::Key_H));

    QMenu* view = menu("mnuView");
    item(view, "mnuTreeView");
    view->addSeparator();
    item(view, "mnuViewToolbar");
    item(view, "mnuViewStatusBar");
    for (const char* name : {"mnuTreeView", "mnuViewToolbar", "mnuViewStatusBar"}) {
        Item(name)->setCheckable(true);
        Item(name)->setChecked(true);
    }

    mnuWindow = menu("mnuWindow");
    item(mnuWindow, "mnuWindowCascade");
    item(mnuWindow, "mnuWindowTileHorizontal");
    item(mnuWindow, "mnuWindowTileVertical");
    item(mnuWindow, "mnuWindowArrangeIcons");
    mnuWindow->addSeparator();
    item(mnuWindow, "mnuCloseAll");
    mnuWindow->addSeparator()->setObjectName(QStringLiteral("mnuWindowListBar"));
    connect(mnuWindow, &QMenu::aboutToShow, this, &frmMain::FillWindowList);

    QMenu* help = menu("mnuHelp");
    item(help, "mnuHelpTopic");
    help->addSeparator();
    item(help, "mnuHelpAbout");

    // commands
    on("mnuFileNew", &frmMain::FileNew);
    on("mnuFileOpen", &frmMain::FileOpen);
    on("mnuFileEOpen", &frmMain::FileImport);
    on("mnuFileSave", [this] { FileSave(); });
    on("mnuFileSaveAs", [this] { FileSaveAs(); });
    on("mnuFileExit", &frmMain::FileExit);
    on("MnuInit", &frmMain::FileInit);
    for (const PageItem& p : kPageItems) {
        const QString window = QLatin1String(p.window);
        const bool batch = QLatin1String(p.item) == QLatin1String("MnuCHBatch");
        const bool modal = p.modal;
        // printing and a new model or band take the configuration as it is
        const bool commit = QLatin1String(p.item) == QLatin1String("mnuFilePrint") ||
                            QLatin1String(p.item) == QLatin1String("mnuModelInfo");
        connect(Item(p.item), &QAction::triggered, this, [this, window, batch, modal, commit] {
            if (batch) {
                // the grid's cell editor is dropped, not committed
                if (auto* grid = Views::Open<Views::ChannelGrid>()) grid->InvalidEdit();
            }
            if (commit) CommitPendingEdits();
            if (modal)
                ShowModalForm(window);
            else
                ModFun::ShowChildForm(window);
        });
    }
    for (const ItemText& c : kChannelEditItems) {
        const int code = c.text;
        on(c.name, [this, code] { RunChannelEdit(code); });
    }
    on("mnuTreeView", [this] {
        Picture1->setVisible(!Picture1->isVisible());
        // the check mark follows its own state, whatever the pane's
    });
    on("mnuViewToolbar", [this](bool checked) { tbToolBar->setVisible(checked); });
    on("mnuViewStatusBar", [this](bool checked) { sbStatusBar->setVisible(checked); });
    on("mnuWindowCascade", [this] { mdi_->cascadeSubWindows(); });
    on("mnuWindowTileHorizontal", [this] { mdi_->tileSubWindows(); });
    on("mnuWindowTileVertical", [this] { mdi_->tileSubWindows(); });
    on("mnuWindowArrangeIcons", [this] { mdi_->tileSubWindows(); });
    on("mnuCloseAll", &frmMain::CloseCurAllWindows);
    on("mnuHelpTopic", &frmMain::HelpTopic);
    on("mnuHelpAbout", &frmMain::HelpAbout);
}

void frmMain::BuildToolbar() {
    tbToolBar = addToolBar(QString());
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar->setMovable(false);
    tbToolBar->setIconSize(QSize(24, 24));
    tbToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (int index = 1; index <= kToolSlotCount; ++index) {
        const ToolSlot* slot = nullptr;
        for (const ToolSlot& s : kToolSlots)
            if (s.index == index) slot = &s;
        if (!slot) {
            tbToolBar->addSeparator();
            continue;
        }
        const QString key = QLatin1String(slot->key);
        QAction* a = tbToolBar->addAction(ToolIcon(key), QString());
        a->setObjectName(key);
        a->setProperty("key", key);
        connect(a, &QAction::triggered, this, [this, key] { tbToolBar_ButtonClick(key); });
    }
    for (const char* key : {"btnFactory", "btnLock"}) {
        QAction* a = ToolButton(key);
        a->setCheckable(true);
    }
    ToolButton("btnFactory")->setText(QStringLiteral("生产"));
    ToolButton("btnFactory")->setToolTip(QStringLiteral("生产"));
    ToolButton("btnLock")->setText(QStringLiteral("冻结"));
    ToolButton("btnLock")->setToolTip(QStringLiteral("冻结"));
    for (const char* key : {"btnFactory", "btnLock"})
        if (auto* b = qobject_cast<QToolButton*>(tbToolBar->widgetForAction(ToolButton(key))))
            b->setToolButtonStyle(Qt::ToolButtonTextOnly);
}

void frmMain::BuildStatusBar() {
    sbStatusBar = statusBar();
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    sbStatusBar->setSizeGripEnabled(true);
    for (int i = 1; i <= 5; ++i) {
        auto* panel = new QLabel(sbStatusBar);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setFrameShape(QFrame::StyledPanel);
        panel->setFrameShadow(QFrame::Sunken);
        panel->setContentsMargins(4, 0, 4, 0);
        panels_ << panel;
        if (i == 1)
            sbStatusBar->addWidget(panel, 1);
        else
            sbStatusBar->addPermanentWidget(panel);
    }
    UpdateClock();
}

// ---------------------------------------------------------------- helpers

QAction* frmMain::Item(const char* name) const {
    return findChild<QAction*>(QLatin1String(name));
}

QAction* frmMain::ToolButton(const char* key) const {
    for (QAction* a : tbToolBar->actions())
        if (a->objectName() == QLatin1String(key)) return a;
    return nullptr;
}

QString frmMain::Title() const {
    return GetLangText(12000);
}

// A hidden item is also disabled, so its shortcut cannot run it.
void frmMain::SetShown(QAction* action, bool shown) {
    if (!action) return;
    action->setVisible(shown);
    RefreshCommands();
}

void frmMain::RefreshCommands() {
    auto available = [this](const QString& name) -> bool {
        for (const PageItem& p : kPageItems)
            if (name == QLatin1String(p.item))
                return Platform::Forms::HasFactory(QLatin1String(p.window));
        for (const ItemText& c : kChannelEditItems)
            if (name == QLatin1String(c.name)) {
                const QAction* a = findChild<QAction*>(name);
                return gChannelEditRunner && (!a || a->property("EditAllowed").toBool() ||
                                              !a->property("EditAllowed").isValid());
            }
        // the radio information is read when there is a page to show it
        if (name == QLatin1String("MnuLocalInfo"))
            return Platform::Forms::HasFactory(QStringLiteral("FrmRadioInfo"));
        return true;
    };
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        const bool menuShown = menu->menuAction()->isVisible();
        for (QAction* a : menu->actions()) {
            if (a->isSeparator() || a->property("windowList").toBool()) continue;
            a->setEnabled(menuShown && a->isVisible() && available(a->objectName()));
        }
    }
    // toolbar keys run the items of the same command
    const struct {
        const char* key;
        const char* item;
    } toolItems[] = {{"Print", "mnuFilePrint"},
                     {"ReadRadio", "mnuReadFromRadio"},
                     {"CommSet", "mnuComm"},
                     {"WriteRadio", "mnuWriteToRadio"},
                     {"BtnCHCut", "MnuCHCut"},
                     {"BtnCHCopy", "MnuCHCopy"},
                     {"BtnCHPaste", "MnuCHPaste"},
                     {"BtnCHInsert", "MnuCHInsert"},
                     {"BtnCHDelete", "MnuCHDelete"},
                     {"BtnCHMoveUp", "MnuCHMoveUp"},
                     {"BtnCHMoveDown", "MnuCHMoveDown"}};
    for (const auto& t : toolItems) {
        QAction* button = ToolButton(t.key);
        button->setEnabled(button->isVisible() && available(QLatin1String(t.item)));
    }
    for (const char* key : {"btnFactory", "btnLock"})
        ToolButton(key)->setEnabled(ToolButton(key)->isVisible());
}

void frmMain::UpdateClock() {
    if (panels_.size() < 5) return;
    // digits only, whatever the locale's words for the day and the hour
    panels_[3]->setText(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    panels_[4]->setText(QTime::currentTime().toString(QStringLiteral("HH:mm")));
}

void frmMain::FillWindowList() {
    for (QAction* a : windowListItems_) {
        mnuWindow->removeAction(a);
        a->deleteLater();
    }
    windowListItems_.clear();
    int n = 0;
    for (QMdiSubWindow* sub : mdi_->subWindowList()) {
        if (!sub->isVisible()) continue;
        ++n;
        QAction* a = mnuWindow->addAction(QStringLiteral("&%1 %2").arg(n).arg(sub->windowTitle()));
        a->setProperty("windowList", true);
        a->setCheckable(true);
        a->setChecked(sub == mdi_->activeSubWindow());
        QPointer<QMdiSubWindow> target = sub;
        connect(a, &QAction::triggered, this, [this, target] {
            if (target) mdi_->setActiveSubWindow(target);
        });
        windowListItems_ << a;
    }
}

void frmMain::ShowModalForm(const QString& name) {
    QWidget* form = Platform::Forms::Create(name);
    if (!form) return;
    if (auto* dialog = qobject_cast<QDialog*>(form)) {
        dialog->setParent(this, dialog->windowFlags() | Qt::Dialog);
        dialog->exec();
        delete dialog;
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
    if (gChannelEditRunner) gChannelEditRunner(gCHEditCmd);
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
    if (gEditCommandsUpdater) gEditCommandsUpdater(this, number);
    RefreshCommands();
}

void frmMain::ShowMainTxt() {
    setWindowTitle(GetLangText(12000) + u'[' + gModelName + u':' + gBandText +
                   QStringLiteral("][") + GetLangText(12009) + u':' +
                   ModFun::GetFileName(gDataFileName) + u']');
    Label1->setText(gModelName);
    if (TreeView1->topLevelItemCount() > 0) TreeView1->topLevelItem(0)->setText(0, Label1->text());
}

void frmMain::LoadTree() {
    TreeView1->clear();
    auto* root = new QTreeWidgetItem(TreeView1, {Label1->text()});
    root->setData(0, Qt::UserRole, QStringLiteral("N0"));
    root->setIcon(0, TreeIcon(true));
    for (const TreeNode& n : kTreeNodes) {
        if (n.testDataOnly && !gTestDataOn) continue;
        auto* child = new QTreeWidgetItem(root, {GetLangText(n.text)});
        child->setData(0, Qt::UserRole, QLatin1String(n.key));
        child->setIcon(0, TreeIcon(false));
    }
    root->setExpanded(true);
    SetShown(Item("MnuDTMF"), true);
    FitTreePane();
}

// The tree pane grows so that every label of the tree shows whole; the
// splitter can widen it further.
void frmMain::FitTreePane() {
    int tree = 0;
    const QFontMetrics fm(TreeView1->font());
    const int icon = TreeView1->iconSize().isValid()
                         ? TreeView1->iconSize().width()
                         : style()->pixelMetric(QStyle::PM_SmallIconSize);
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
        tree = std::max(tree, TreeView1->indentation() * (depth + 1) + icon +
                                  fm.horizontalAdvance(item->text(0)) + Px(300));
        for (int i = 0; i < item->childCount(); ++i)
            walk(item->child(i), depth + 1);
    };
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i)
        walk(TreeView1->topLevelItem(i), 0);
    tree += 2 * TreeView1->frameWidth() + TreeView1->verticalScrollBar()->sizeHint().width();
    const int header = Label1->sizeHint().width() + Toolbar1->sizeHint().width();
    const int needed = std::max(tree, header) + Px(120) + CommandMove->width();
    if (needed > Picture1->width()) Picture1->setFixedWidth(needed);
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

void frmMain::LoadNewDoc2() {
    ModInitV::NewData();
    LoadLanguageTexts();
    ModFun::ShowChildForm(QStringLiteral("frmCommChInfo"));
    ShowMainTxt();
}

void frmMain::LoadNewDoc() {
    CloseCurAllWindows();
    newDocTimer_.start();
}

void frmMain::NewDocTimer_Timer() {
    newDocTimer_.stop();
    ModInitV::NewData();
    LoadLanguageTexts();
    ModFun::ShowChildForm(QStringLiteral("frmCommChInfo"));
    ShowMainTxt();
    mdi_->cascadeSubWindows();
    gInitAllChannels = false;
}

// ---------------------------------------------------------------- load, texts, exit

void frmMain::LoadLanguageTexts() {
    dialogFilter_ = GetLangText(9001) + QStringLiteral(" (*.dat)|*.dat");
    panels_[2]->setText(GetLangText(12008) + QString::number(gComPort));
    panels_[1]->setText(gModelName + u'[' + gBandText + u']');
    ShowMainTxt();
    LoadBKPic();

    for (const ItemText& t : kItemTexts) {
        if (QAction* a = Item(t.name)) a->setText(GetLangText(t.text));
        if (QMenu* m = menuBar()->findChild<QMenu*>(QLatin1String(t.name)))
            m->setTitle(GetLangText(t.text));
    }
    Item("mnuWindowTileHorizontal")->setText(QStringLiteral("Tile Windows &Horizontally"));
    Item("mnuWindowTileVertical")->setText(QStringLiteral("Tile Windows &Vertically"));
    Item("mnuWindowArrangeIcons")->setText(QStringLiteral("&Arrange Icons"));
    for (const ToolSlot& s : kToolSlots) {
        if (s.tip == 0) continue; // the Factory and Lock buttons keep their own tips
        QAction* a = ToolButton(s.key);
        a->setToolTip(GetLangText(s.tip));
        a->setText(GetLangText(s.tip));
    }
}

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

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!fitOnShow_) return;
    fitOnShow_ = false;
    FitDefaultSize();
}

// Without a stored position the window opens large enough for the tree and
// the whole grid page, within the available desktop; on a smaller desktop
// the work area scrolls to what does not fit.
void frmMain::FitDefaultSize() {
    QRect page;
    if (auto* grid = qobject_cast<QWidget*>(Platform::Forms::Find(QStringLiteral("frmCommChInfo"))))
        if (auto* sub = qobject_cast<QMdiSubWindow*>(grid->parentWidget()))
            page = sub->frameGeometry();
    if (page.isEmpty()) return;
    // the window around the work area: menus, toolbar, tree pane, status bar
    const QSize around = size() - mdi_->viewport()->size();
    const int width = around.width() + page.right() + 1 + Px(60);
    const int height = around.height() + page.bottom() + 1 + Px(60);
    // The window's own frame stays on the desktop too: it is measured on the
    // window as it stands, before the size grows.
    QRect r = geometry();
    const QRect frame = frameGeometry();
    const QMargins border(r.left() - frame.left(), r.top() - frame.top(), frame.right() - r.right(),
                          frame.bottom() - r.bottom());
    r.setSize(r.size().expandedTo(QSize(width, height)));
    const QRect avail = Platform::AvailableScreenArea(r.center()).marginsRemoved(border);
    if (!avail.isEmpty()) {
        r.setWidth(std::min(r.width(), avail.width()));
        r.setHeight(std::min(r.height(), avail.height()));
        r.moveLeft(qBound(avail.left(), r.left(), avail.right() - r.width() + 1));
        r.moveTop(qBound(avail.top(), r.top(), avail.bottom() - r.height() + 1));
    }
    setGeometry(r);
}

// False when no position was stored yet (the defaults were taken).
bool frmMain::RestoreWindowRect() {
    const QString app = Platform::AppTitle();
    const QString section = QStringLiteral("Settings");
    bool stored = false;
    auto read = [&](const char* key, int twipsDefault) {
        bool ok = false;
        const int v = Platform::GetSetting(app, section, QLatin1String(key),
                                           QString::number(Px(twipsDefault)))
                          .toInt(&ok);
        stored =
            stored || !Platform::GetSetting(app, section, QLatin1String(key), QString()).isEmpty();
        return ok ? v : Px(twipsDefault);
    };
    QRect r(read("MainLeft", 1000), read("MainTop", 1000), read("MainWidth", 12500),
            read("MainHeight", 9500));
    // Keep the window on a screen: the screen that holds its centre, else the
    // primary one; shrink it to that screen and move it inside.
    const QRect avail = Platform::AvailableScreenArea(r.center());
    if (!avail.isEmpty()) {
        r.setWidth(qBound(qMin(400, avail.width()), r.width(), avail.width()));
        r.setHeight(qBound(qMin(300, avail.height()), r.height(), avail.height()));
        r.moveLeft(qBound(avail.left(), r.left(), avail.right() - r.width() + 1));
        r.moveTop(qBound(avail.top(), r.top(), avail.bottom() - r.height() + 1));
    }
    setGeometry(r);
    return stored;
}

void frmMain::StoreWindowRect() {
    if (isMinimized()) return;
    const QString app = Platform::AppTitle();
    const QString section = QStringLiteral("Settings");
    const QRect r = geometry();
    Platform::SaveSetting(app, section, QStringLiteral("MainLeft"), QString::number(r.left()));
    Platform::SaveSetting(app, section, QStringLiteral("MainTop"), QString::number(r.top()));
    Platform::SaveSetting(app, section, QStringLiteral("MainWidth"), QString::number(r.width()));
    Platform::SaveSetting(app, section, QStringLiteral("MainHeight"), QString::number(r.height()));
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
    ModComm::MSComm1().Close();
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

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (mdi_) LoadBKPic();
}

// ---------------------------------------------------------------- splitter and pane

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == CommandMove) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            dragStartX_ = static_cast<QMouseEvent*>(event)->position().toPoint().x();
            CommandMove_MouseDown();
            return true;
        case QEvent::MouseMove:
            CommandMove_MouseMove(static_cast<QMouseEvent*>(event)->position().toPoint().x() -
                                  dragStartX_);
            return true;
        case QEvent::MouseButtonRelease:
            CommandMove_MouseUp();
            return true;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::CommandMove_MouseDown() {
    moveTree = true;
}

void frmMain::CommandMove_MouseUp() {
    moveTree = false;
}

void frmMain::CommandMove_MouseMove(int dx) {
    if (!moveTree) return;
    const int width = Picture1->width() + dx;
    if (width < kMinPaneWidth || width > centralWidget()->width()) return;
    Picture1->setFixedWidth(width);
}

void frmMain::Toolbar1_ButtonClick(const QString& key) {
    if (key != QStringLiteral("删除")) return;
    Picture1->hide();
    Item("mnuTreeView")->setChecked(false);
}

void frmMain::TreeView1_NodeClick(const QString& key) {
    static const QHash<QString, QString> pages = {
        {QStringLiteral("N1"), QStringLiteral("frmCommChInfo")},
        {QStringLiteral("N2"), QStringLiteral("FrmOptFeatures")},
        {QStringLiteral("N3"), QStringLiteral("FrmRadio")},
        {QStringLiteral("N4"), QStringLiteral("FrmDTMF")},
        {QStringLiteral("N5"), QStringLiteral("FrmTestFre")},
        {QStringLiteral("N6"), QStringLiteral("FrmEmbMsg")},
        {QStringLiteral("N8"), QStringLiteral("FrmKey")},
        {QStringLiteral("N9"), QStringLiteral("FrmScan")},
        {QStringLiteral("N10"), QStringLiteral("FrmAlert")},
    };
    if (pages.contains(key)) {
        ModFun::ShowChildForm(pages.value(key));
    } else if (key == QStringLiteral("N11")) {
        if (Item("mnuTestData")->isEnabled()) Item("mnuTestData")->trigger();
    } else if (key == QStringLiteral("N7")) {
        if (Item("MnuLocalInfo")->isEnabled()) Item("MnuLocalInfo")->trigger();
    }
}

// ---------------------------------------------------------------- commands

int frmMain::AskSaveChanges() {
    return Platform::MsgBox(GetLangText(9006),
                            Platform::Mb::YesNoCancel | Platform::Mb::Exclamation, Title());
}

bool frmMain::SaveDocument() {
    return ModShowFreFun::SaveDataFile(this);
}

// The saving answer of New, Open and Import: data with a file is written to
// it; data without one (a new configuration, a radio read) gets a name first.
bool frmMain::SaveWithoutQuestion() {
    return gIsUntitled ? FileSaveAs() : SaveDocument();
}

void frmMain::FileNew() {
    CommitPendingEdits();
    if (ModShowFreFun::IsDataModified()) {
        if (AskSaveChanges() == Platform::Mb::IdYes && !SaveWithoutQuestion()) return;
    }
    if (Platform::MsgBox(GetLangText(9026), Platform::Mb::OKCancel | Platform::Mb::Exclamation,
                         Title()) == Platform::Mb::IdOK)
        LoadNewDoc();
}

void frmMain::FileInit() {
    gInitAllChannels = true;
    FileNew();
}

void frmMain::OpenOrImport(bool import) {
    CommitPendingEdits();
    if (ModShowFreFun::IsDataModified()) {
        const int answer = AskSaveChanges();
        if (answer == Platform::Mb::IdCancel) return;
        if (answer == Platform::Mb::IdYes && !SaveWithoutQuestion()) return;
    }
    OpenDocument(import);
}

void frmMain::FileOpen() {
    OpenOrImport(false);
}

void frmMain::FileImport() {
    OpenOrImport(true);
}

void frmMain::OpenDocument(bool import) {
    const QString path = Platform::FileDialogs::GetOpenFileName(this, dialogFilter_, gDataFileName);
    if (path.isEmpty()) return;
    ownFileWhileOpening_ = gDataFileName;
    gDataFileName = path;
    CloseCurAllWindows();
    const bool opened =
        import ? ModShowFreFun::ReopenDataFile(this) : ModShowFreFun::OpenDataFile(this);
    // A refused file must not become the file that the next Save writes.
    if (!opened) {
        gDataFileName = ownFileWhileOpening_;
        ShowMainTxt();
    }
    ownFileWhileOpening_.clear();
}

bool frmMain::FileSave() {
    CommitPendingEdits();
    if (gIsUntitled) return FileSaveAs();
    const QString question = u'"' + ModFun::GetFileName(gDataFileName) + u'"' + GetLangText(9007);
    if (Platform::MsgBox(question, Platform::Mb::OKCancel | Platform::Mb::Question, Title()) !=
        Platform::Mb::IdOK)
        return false;
    return SaveDocument();
}

bool frmMain::FileSaveAs() {
    CommitPendingEdits();
    QString path = Platform::FileDialogs::GetSaveFileName(this, dialogFilter_, gDataFileName,
                                                          QStringLiteral("dat"));
    if (path.isEmpty()) return false;
    if (!path.endsWith(QLatin1String(".dat"), Qt::CaseInsensitive)) path += QLatin1String(".dat");
    const QString previous = gDataFileName;
    gDataFileName = path;
    if (SaveDocument()) return true;
    gDataFileName = previous;
    ShowMainTxt();
    return false;
}

void frmMain::FileExit() {
    close();
}

bool frmMain::AskSaveBeforeSwitch() {
    CommitPendingEdits();
    if (!ModShowFreFun::IsDataModified()) return true;
    const int answer = AskSaveChanges();
    if (answer == Platform::Mb::IdCancel) return false;
    if (answer == Platform::Mb::IdNo) return true;
    if (ownFileWhileOpening_.isEmpty()) return FileSave();
    // The file being opened needs the other version: the data is saved to its
    // own file, never over the file being opened.
    const QString opening = gDataFileName;
    gDataFileName = ownFileWhileOpening_;
    const bool saved = FileSave();
    ownFileWhileOpening_ = gDataFileName;
    gDataFileName = opening;
    return saved;
}

void frmMain::HelpTopic() {
    if (!gHelpOn) return;
    Platform::Help::SetHelpFile(ModSettings::HelpFilePath());
    Platform::Help::ShowHelp(0);
}

void frmMain::HelpAbout() {
    frmAbout about(this);
    about.exec();
}

void frmMain::tbToolBar_ButtonClick(const QString& key) {
    static const QHash<QString, QString> items = {
        {QStringLiteral("OpenFile"), QStringLiteral("mnuFileOpen")},
        {QStringLiteral("SaveFile"), QStringLiteral("mnuFileSave")},
        {QStringLiteral("Print"), QStringLiteral("mnuFilePrint")},
        {QStringLiteral("ReadRadio"), QStringLiteral("mnuReadFromRadio")},
        {QStringLiteral("CommSet"), QStringLiteral("mnuComm")},
        {QStringLiteral("WriteRadio"), QStringLiteral("mnuWriteToRadio")},
        {QStringLiteral("About"), QStringLiteral("mnuHelpAbout")},
        {QStringLiteral("BtnCHCut"), QStringLiteral("MnuCHCut")},
        {QStringLiteral("BtnCHCopy"), QStringLiteral("MnuCHCopy")},
        {QStringLiteral("BtnCHPaste"), QStringLiteral("MnuCHPaste")},
        {QStringLiteral("BtnCHInsert"), QStringLiteral("MnuCHInsert")},
        {QStringLiteral("BtnCHDelete"), QStringLiteral("MnuCHDelete")},
        {QStringLiteral("BtnCHMoveUp"), QStringLiteral("MnuCHMoveUp")},
        {QStringLiteral("BtnCHMoveDown"), QStringLiteral("MnuCHMoveDown")},
    };
    // New asks the same questions as the menu's New.
    if (key == QStringLiteral("NewFile")) {
        FileNew();
        return;
    }
    if (key == QStringLiteral("btnFactory")) {
        SetFactoryMode(ToolButton("btnFactory")->isChecked() ? 1 : 0);
        return;
    }
    if (key == QStringLiteral("btnLock")) {
        SetLockMode(ToolButton("btnLock")->isChecked() ? 1 : 0);
        return;
    }
    const QString item = items.value(key);
    if (item.isEmpty()) return;
    QAction* a = findChild<QAction*>(item);
    if (a && a->isEnabled()) a->trigger();
}

// ---------------------------------------------------------------- Factory and Lock

bool frmMain::AskAccessCode() {
    return ModSwitches::AskAccessCode([this] {
        FrmPassWord dialog(this);
        dialog.exec();
    });
}

void frmMain::SetFactoryMode(int newValue) {
    QAction* button = ToolButton("btnFactory");
    if (!AskAccessCode()) {
        button->setChecked(gFactory != 0);
        return;
    }
    ModSwitches::ApplyFactory(newValue);
    button->setChecked(gFactory != 0);
    SetShown(Item("mnuTestData"), gTestDataOn);
    QTreeWidgetItem* root = TreeView1->topLevelItem(0);
    if (!root) return;
    QTreeWidgetItem* node = nullptr;
    for (int i = 0; i < root->childCount(); ++i)
        if (NodeKey(root->child(i)) == QLatin1String("N11")) node = root->child(i);
    if (gTestDataOn && !node) {
        // appended at the end; the next rebuild of the tree puts it in its place
        auto* child = new QTreeWidgetItem(root, {GetLangText(12013)});
        child->setData(0, Qt::UserRole, QStringLiteral("N11"));
        child->setIcon(0, TreeIcon(false));
    } else if (!gTestDataOn && node) {
        delete node;
    }
}

void frmMain::SetLockMode(int newValue) {
    QAction* button = ToolButton("btnLock");
    if (!AskAccessCode()) {
        button->setChecked(gLock != 0);
        return;
    }
    // the pages reopen under the new state
    if ((newValue != 0 ? 1 : 0) != gLock) CloseCurAllWindows();
    ModSwitches::ApplyLock(newValue);
    button->setChecked(gLock != 0);
    SetShown(Item("MnuCHBatch"), gLock != 1);
}
