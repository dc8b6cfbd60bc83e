#include "pages/PageGrid.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace {

const QColor kFixedBack(236, 233, 216);

} // namespace

PageGrid::PageGrid(int rows, int cols, QWidget* parent) : QTableWidget(rows, cols, parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            if (r == 0 || c == 0) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(kFixedBack);
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            setItem(r, c, item);
        }
    }
}

QString PageGrid::CellText(int row, int col) const {
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text() : QString();
}

void PageGrid::SetCellText(int row, int col, const QString& text) {
    if (QTableWidgetItem* it = item(row, col)) it->setText(text);
}

QRect PageGrid::CellRectIn(const QWidget* w, int row, int col) const {
    const QRect cell = visualItemRect(item(row, col));
    return {viewport()->mapTo(w, cell.topLeft()), cell.size()};
}

void PageGrid::SetLayout(int headerHeight, int cellHeight, const QList<int>& colWidths) {
    int height = 0;
    for (int r = 0; r < rowCount(); ++r) {
        setRowHeight(r, r == 0 ? headerHeight : cellHeight);
        height += rowHeight(r);
    }
    int width = 0;
    for (int c = 0; c < columnCount() && c < colWidths.size(); ++c) {
        setColumnWidth(c, colWidths[c]);
        width += colWidths[c];
    }
    resize(width + 2 * frameWidth(), height + 2 * frameWidth());
}

QModelIndex PageGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex next = QTableWidget::moveCursor(action, modifiers);
    if (next.isValid() && (next.row() < 1 || next.column() < 1)) return currentIndex();
    return next;
}

bool DropsCellEditorKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if ((key->modifiers() & Qt::ControlModifier) &&
        (key->key() == Qt::Key_X || key->key() == Qt::Key_V || key->key() == Qt::Key_C))
        return true;
    if (event->type() != QEvent::KeyPress) return false;
    const QString typed = key->text();
    if (typed.size() != 1) return false;
    const QChar c = typed.front();
    if (c.unicode() > 127) return true;
    if (c.unicode() < 32 || c.unicode() == 127) return false; // Backspace and the like
    return !((c >= u'0' && c <= u'9') || c == u'.');
}
