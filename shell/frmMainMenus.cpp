// The main window's menus, toolbar, tree pane and status bar: how they are
// built, which commands they offer, their texts, and the Factory and Lock
// buttons that change what they show.
#include "shell/frmMain.h"

#include "data/ModFunLang.h"
#include "data/ModTestData.h"
#include "data/ProgramSettings.h"
#include "data/RadioData.h"
#include "data/widgets/FormHelpers.h"
#include "link/widgets/FrmPassWord.h"
#include "platform/Forms.h"
#include "platform/MsgBox.h"
#include "platform/Twips.h"
#include "platform/widgets/FormLoader.h"
#include "shell/ShellRules.h"
#include "shell/pictures/Pictures.h"

#include <QAction>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using ModFunLang::GetLangText;
using ModFunLang::LangIds;

namespace {

using Platform::Px;

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

    QMenu* chEdit = MnuCHEdit = menu("MnuCHEdit");
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

QAction* frmMain::Item(const char* name) const {
    return findChild<QAction*>(QLatin1String(name));
}

QAction* frmMain::ToolButton(const char* key) const {
    for (QAction* a : tbToolBar->actions())
        if (a->objectName() == QLatin1String(key)) return a;
    return nullptr;
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
        // cut and copy need a channel with data, paste a filled clipboard
        for (const ItemText& c : kChannelEditItems)
            if (name == QLatin1String(c.name))
                return channelEditRunner_ &&
                       (c.text > 3 || (c.text == 3 ? editClipboardFull_ : editHasData_));
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

void frmMain::LoadLanguageTexts() {
    dialogFilter_ = GetLangText(9001) + QStringLiteral(" (*.dat)|*.dat");
    ShowComPort();
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
    // Switched off, the test block is no longer held: one that no file holds
    // (changed, or read from a radio) is saved or dropped as the user says.
    const ModTestData::Unsaved unsaved = newValue == 0 && gTestDataOn
                                             ? ModTestData::UnsavedTestBlock()
                                             : ModTestData::Unsaved::Nothing;
    if (unsaved != ModTestData::Unsaved::Nothing) {
        const int answer =
            Platform::MsgBox(GetLangText(unsaved == ModTestData::Unsaved::Changed ? 9084 : 9088),
                             Platform::Mb::YesNoCancel | Platform::Mb::Exclamation, Title());
        if (answer == Platform::Mb::IdCancel ||
            (answer == Platform::Mb::IdYes && !SaveWithoutQuestion())) {
            button->setChecked(gFactory != 0);
            return;
        }
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
