#include "data/widgets/ModRidTextMenu.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

// A text box that counts the mouse presses and releases that reach it.
class CountingEdit final : public QLineEdit {
public:
    int rightPresses = 0;
    int rightReleases = 0;
    int leftPresses = 0;
    int menus = 0;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::RightButton) ++rightPresses;
        if (e->button() == Qt::LeftButton) ++leftPresses;
        QLineEdit::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::RightButton) ++rightReleases;
        QLineEdit::mouseReleaseEvent(e);
    }
    void contextMenuEvent(QContextMenuEvent* e) override {
        ++menus;
        e->accept();
    }
};

void Click(QWidget* w, QEvent::Type type, Qt::MouseButton button) {
    QMouseEvent e(type, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), button,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void Menu(QWidget* w) {
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5), w->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(w, &e);
}

void ShiftInsert(QWidget* w) {
    QKeyEvent e(QEvent::KeyPress, Qt::Key_Insert, Qt::ShiftModifier);
    QApplication::sendEvent(w, &e);
}

bool AcceptsDrop(QWidget* w) {
    QMimeData data;
    data.setText("dropped");
    QDragEnterEvent e(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    e.setAccepted(false);
    QApplication::sendEvent(w, &e);
    return e.isAccepted();
}

TEST(RidTextMenuTest, HookedBoxNeverSeesTheRightPressButEverythingElse) {
    CountingEdit box;
    EXPECT_EQ(ModRidTextMenu::HookTextMenu(&box), 0);
    EXPECT_TRUE(ModRidTextMenu::IsHooked(&box));
    Click(&box, QEvent::MouseButtonPress, Qt::RightButton);
    Click(&box, QEvent::MouseButtonRelease, Qt::RightButton);
    Click(&box, QEvent::MouseButtonPress, Qt::LeftButton);
    Menu(&box);
    EXPECT_EQ(box.rightPresses, 0);
    EXPECT_EQ(box.rightReleases, 1);
    EXPECT_EQ(box.leftPresses, 1);
    EXPECT_EQ(box.menus, 0);

    QKeyEvent key(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, "7");
    QApplication::sendEvent(&box, &key);
    EXPECT_EQ(box.text(), "7");
}

TEST(RidTextMenuTest, UnhookedBoxesKeepTheirMenu) {
    CountingEdit never;
    Click(&never, QEvent::MouseButtonPress, Qt::RightButton);
    Menu(&never);
    EXPECT_EQ(never.rightPresses, 1);
    EXPECT_EQ(never.menus, 1);

    CountingEdit once;
    ModRidTextMenu::HookTextMenu(&once);
    EXPECT_EQ(ModRidTextMenu::UnhookTextMenu(&once), 0);
    Menu(&once);
    EXPECT_EQ(once.menus, 1);
}

TEST(RidTextMenuTest, UnhookingOneBoxLeavesTheOthersHooked) {
    CountingEdit grid, editor;
    ModRidTextMenu::HookTextMenu(&grid);
    ModRidTextMenu::HookTextMenu(&editor);
    ModRidTextMenu::HookTextMenu(&editor); // hooked twice, filtered once
    ModRidTextMenu::UnhookTextMenu(&grid);
    Menu(&editor);
    Click(&editor, QEvent::MouseButtonPress, Qt::RightButton);
    EXPECT_EQ(editor.menus, 0);
    EXPECT_EQ(editor.rightPresses, 0);
    Menu(&grid);
    EXPECT_EQ(grid.menus, 1);
}

TEST(RidTextMenuTest, HookedBoxRefusesPasteByKeyMiddleButtonAndDrop) {
    QApplication::clipboard()->setText("99");
    QLineEdit hooked, plain;
    ModRidTextMenu::HookTextMenu(&hooked);
    ShiftInsert(&hooked);
    ShiftInsert(&plain);
    EXPECT_EQ(hooked.text(), "");
    EXPECT_EQ(plain.text(), "99");

    if (QApplication::clipboard()->supportsSelection()) {
        QApplication::clipboard()->setText("55", QClipboard::Selection);
        Click(&hooked, QEvent::MouseButtonPress, Qt::MiddleButton);
        Click(&hooked, QEvent::MouseButtonRelease, Qt::MiddleButton);
        EXPECT_EQ(hooked.text(), "");
    }
    EXPECT_FALSE(AcceptsDrop(&hooked));
    EXPECT_TRUE(AcceptsDrop(&plain));
}

} // namespace
