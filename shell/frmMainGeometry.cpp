// The main window's size and place: its first size on the screen, the stored
// position, and the splitter between the tree pane and the pages.
#include "shell/frmMain.h"

#include "platform/App.h"
#include "platform/Twips.h"
#include "platform/UserSettings.h"
#include "platform/widgets/Screens.h"

#include <QLabel>
#include <QMdiArea>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QWindow>

namespace {

using Platform::Px;
constexpr int kMinPaneWidth = Px(300);

} // namespace

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (fitOnShow_) {
        fitOnShow_ = false;
        FitDefaultSize();
    }
    if (placeFrame_ && windowHandle()) windowHandle()->installEventFilter(this);
    PlaceFrameOnceFramed();
}

// Without a stored position the window opens large enough for the tree and
// the whole grid page, within the available desktop; on a smaller desktop
// the work area scrolls to what does not fit.
void frmMain::FitDefaultSize() {
    const auto* grid = Views::Open<Views::ChannelGrid>();
    const QRect page = grid ? grid->AreaTaken() : QRect();
    if (page.isEmpty()) return;
    // the window around the work area: menus, toolbar, tree pane, status bar
    const QSize around = size() - mdi_->viewport()->size();
    QRect r = geometry();
    r.setSize(r.size().expandedTo(QSize(around.width() + page.right() + 1 + Px(60),
                                        around.height() + page.bottom() + 1 + Px(60))));
    PlaceOnScreen(r);
}

// Puts the window's client area at r as far as the desktop allows: the
// window and its frame (title bar and borders, as far as the window manager
// has added them yet) shrink to the screen that holds the window's centre, or
// the primary one, and move inside its available area.
void frmMain::PlaceOnScreen(QRect r) {
    const QRect client = geometry();
    const QRect frame = frameGeometry();
    const QMargins border(client.left() - frame.left(), client.top() - frame.top(),
                          frame.right() - client.right(), frame.bottom() - client.bottom());
    const QRect avail = Platform::AvailableScreenArea(r.center()).marginsRemoved(border);
    if (!avail.isEmpty()) {
        r.setWidth(std::min(r.width(), avail.width()));
        r.setHeight(std::min(r.height(), avail.height()));
        r.moveLeft(qBound(avail.left(), r.left(), avail.right() - r.width() + 1));
        r.moveTop(qBound(avail.top(), r.top(), avail.bottom() - r.height() + 1));
    }
    if (r != client) setGeometry(r);
}

// A window manager frames the window only after it was shown, so its title
// bar and borders are not known when the window is first placed. The first
// time they are, the window is placed again with them, so that the title bar
// is on the screen and the window can be moved by it.
void frmMain::PlaceFrameOnceFramed() {
    if (!placeFrame_ || !isVisible() || isMinimized()) return;
    // a maximised or full-screen window the window manager places itself
    if (!isMaximized() && !isFullScreen()) {
        if (frameGeometry() == geometry()) return; // not framed yet
        PlaceOnScreen(geometry());
    }
    placeFrame_ = false;
    if (windowHandle()) windowHandle()->removeEventFilter(this);
}

// False when no position was stored yet (the defaults were taken). A store
// that does not hold four whole 32-bit numbers, or holds a width or height of
// zero or less, counts as none.
bool frmMain::RestoreWindowRect() {
    const QString app = Platform::AppTitle();
    const QString section = QStringLiteral("Settings");
    bool stored = true;
    auto read = [&](const char* key) {
        bool ok = false;
        const int v = Platform::GetSetting(app, section, QLatin1String(key), QString()).toInt(&ok);
        stored = stored && ok;
        return qBound(-(1 << 24), v, 1 << 24); // far off any screen, and no overflow below
    };
    QRect r(read("MainLeft"), read("MainTop"), read("MainWidth"), read("MainHeight"));
    stored = stored && r.width() > 0 && r.height() > 0;
    if (!stored) r = QRect(Px(1000), Px(1000), Px(12500), Px(9500));
    r.setSize(r.size().expandedTo(QSize(400, 300)));
    placeFrame_ = true;
    PlaceOnScreen(r);
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

void frmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (mdi_) LoadBKPic();
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

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() &&
        (event->type() == QEvent::Expose || event->type() == QEvent::Move ||
         event->type() == QEvent::Resize))
        PlaceFrameOnceFramed();
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
