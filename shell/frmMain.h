#pragma once

#include "data/Views.h"

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>

class DialogHost;
class RadioCommands;

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QPushButton;
class QStatusBar;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

// The pending channel edit command (0 none), run by the 20 ms edit timer.
extern qint16 gCHEditCmd;

// The main window of Corvan: the pages are child windows of its document
// area; the tree pane on the left opens them, menus and toolbar run the
// commands, the status bar shows model, band and port.
class frmMain final : public QMainWindow, public Views::MainWindow {
    Q_OBJECT

public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The loaded main window, or null.
    static frmMain* Instance();
    // Loads and shows the main window unless it is loaded already.
    static frmMain* LoadMain();

    // Runs a channel edit command (1 cut ... 7 move down, 8 habits). The
    // channel editor installs it; until then those commands are not offered.
    using ChannelEditRunner = std::function<void(int code)>;
    static void SetChannelEditRunner(ChannelEditRunner runner);
    // Tells the window which edit items and buttons the channel with that
    // number allows (through AllowEditCommands); installed with the runner.
    using EditCommandsUpdater = std::function<void(Views::MainWindow* main, int number)>;
    static void SetEditCommandsUpdater(EditCommandsUpdater updater);

    // The services that other windows and modules call.
    void Change_Language() override;
    bool FindWindowByName(const QString& rFrmName) const;
    void CloseCurAllWindows() override;
    void ShowCHInfo(bool rShow) override;
    void SetSaveEditData();
    // The step that every command reading, saving, printing, sending or
    // replacing the configuration runs first: the grid page, the detail
    // editor and every open page write what the user typed or chose and has
    // not confirmed yet; untouched editors write nothing.
    void CommitPendingEdits() override;
    // The grid page's current channel changed or was re-shown.
    void UpdateEditCommands(int number) override;
    void AllowEditCommands(bool hasData, bool clipboardFull) override;
    void PopupEditMenu(const QPoint& globalPos) override;
    void ShowComPort() override;
    void ShowMainTxt() override;
    void LoadTree() override;
    void LoadBKPic();
    void LoadNewDoc2();
    void LoadNewDoc() override;

    // The Factory and Lock switches, with the button's new value; both ask
    // for the access code first.
    void SetFactoryMode(int newValue);
    void SetLockMode(int newValue);

    // Commands of the menus and the toolbar.
    void FileNew();
    void FileInit();
    void FileOpen();
    void FileImport();
    bool FileSave();
    bool FileSaveAs();
    void FileExit();
    void tbToolBar_ButtonClick(const QString& key);
    void TreeView1_NodeClick(const QString& key);
    void Toolbar1_ButtonClick(const QString& key);
    void HelpTopic();
    void HelpAbout();

    // The window's own events, callable for a deterministic order in tests.
    void MDIForm_Activate();
    void NewDocTimer_Timer();
    void TimerCHEdit_Timer();
    // Moves the splitter by dx pixels while it is dragged.
    void CommandMove_MouseMove(int dx);
    void CommandMove_MouseDown();
    void CommandMove_MouseUp();

    // The file dialog's filter ("description (*.dat)|*.dat").
    QString DialogFilter() const { return dialogFilter_; }
    QMdiArea* MdiArea() const { return mdi_; }
    QTimer& NewDocTimer() { return newDocTimer_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void BuildToolbar();
    void BuildTreePane();
    void BuildStatusBar();
    void MDIForm_Load();
    bool MDIForm_Unload();
    void LoadLanguageTexts();
    bool RestoreWindowRect();
    void FitDefaultSize();
    void PlaceOnScreen(QRect r);
    void PlaceFrameOnceFramed();
    void FitTreePane();
    void StoreWindowRect();
    void RefreshCommands();
    void UpdateClock();
    void FillWindowList();

    QAction* Item(const char* name) const;
    QAction* ToolButton(const char* key) const;
    void SetShown(QAction* action, bool shown);
    void RunChannelEdit(int code);
    void ShowModalForm(const QString& name);
    bool AskAccessCode();

    int AskSaveChanges();
    bool SaveWithoutQuestion();
    bool SaveDocument();
    void OpenDocument(bool import);
    void OpenOrImport(bool import);
    bool AskSaveBeforeSwitch();
    QString Title() const;

    static inline ChannelEditRunner channelEditRunner_;
    static inline EditCommandsUpdater editCommandsUpdater_;

    QMdiArea* mdi_ = nullptr;
    QMenu* MnuCHEdit = nullptr;
    // What the grid page's current channel allows: cut and copy, paste.
    bool editHasData_ = true;
    bool editClipboardFull_ = true;
    QWidget* Picture1 = nullptr;
    QWidget* Frame1 = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QTreeWidget* TreeView1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* CommandMove = nullptr;
    QToolBar* tbToolBar = nullptr;
    QStatusBar* sbStatusBar = nullptr;
    QList<QLabel*> panels_;
    QMenu* mnuWindow = nullptr;
    QList<QAction*> windowListItems_;

    QTimer timerCHEdit_;
    QTimer newDocTimer_;
    // The Read, Write and radio-information commands with their timers, and
    // the dialogs the radio sessions show.
    RadioCommands* radioCommands_ = nullptr;
    std::unique_ptr<DialogHost> dialogHost_;
    QTimer clock_;

    QString dialogFilter_;
    bool moveTree = false;
    int dragStartX_ = 0;
    bool leavingWithoutQuestion_ = false;
    // While a file is being opened gDataFileName names it; the data on
    // screen still belongs to this file (empty when no open is in progress).
    QString ownFileWhileOpening_;
    bool unloaded_ = false;
    bool fitOnShow_ = false;  // no stored position: the first showing fits the grid page
    bool placeFrame_ = false; // the frame is placed on the screen once it is known
};
