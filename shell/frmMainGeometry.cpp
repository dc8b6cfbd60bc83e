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

namespace {

using Platform::Px;
constexpr int kMinPaneWidth = Px(300);

} // namespace

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
    const auto* grid = Views::Open<Views::ChannelGrid>();
    const QRect page = grid ? grid->AreaTaken() : QRect();
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

// False when no position was stored yet (the defaults were taken). A store
// that does not hold four whole 32-bit numbers counts as none.
bool frmMain::RestoreWindowRect() {
    const QString app = Platform::AppTitle();
    const QString section = QStringLiteral("Settings");
    bool stored = true;
    auto read = [&](const char* key) {
        bool ok = false;
        const int v = Platform::GetSetting(app, section, QLatin1String(key), QString()).toInt(&ok);
        stored = stored && ok;
        return v;
    };
    QRect r(read("MainLeft"), read("MainTop"), read("MainWidth"), read("MainHeight"));
    if (!stored) r = QRect(Px(1000), Px(1000), Px(12500), Px(9500));
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
