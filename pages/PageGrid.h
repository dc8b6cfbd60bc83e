#pragma once

#include <QTableWidget>

class QEvent;

// The grid of the grid pages: row 0 and column 0 are fixed (headers and row
// numbers, never current), every cell is centred, nothing is edited in place
// (the pages lay their own editor over a cell).
class PageGrid final : public QTableWidget {
    Q_OBJECT
public:
    PageGrid(int rows, int cols, QWidget* parent);

    QString CellText(int row, int col) const;
    void SetCellText(int row, int col, const QString& text);
    // The cell's rectangle in the coordinates of the widget w.
    QRect CellRectIn(const QWidget* w, int row, int col) const;
    // Row heights and column widths in pixels; the grid takes the size of
    // all its cells.
    void SetLayout(int headerHeight, int cellHeight, const QList<int>& colWidths);

    void keyboardSearch(const QString&) override {}

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
};

// The key rule of a grid page's cell editor, for its event filter: true when
// the event is a key that the editor drops (Ctrl+X, Ctrl+V, Ctrl+C, characters
// above 127, printable characters other than the digits and "."). Enter is
// the page's own matter.
bool DropsCellEditorKey(const QEvent* event);
