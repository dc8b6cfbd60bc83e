#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Where the texts of a printed line go across the page, so that no text runs
// into another and every text stays inside the printable width.
namespace PrintLayout {

// A column of texts: the x it would like, and the least and greatest x that
// keep its texts inside the printable width.
struct Column {
    double preferred = 0;
    double least = 0;
    double greatest = 0;
};

// Column `to` stands at least `distance` right of column `from` (from < to).
struct Distance {
    int from = 0;
    int to = 0;
    double distance = 0;
};

// The x of every column: each at its preferred place where the texts left
// of it leave room, further right where they need it, and back left where
// the width ends. Nothing when the columns do not fit in the width at all.
std::optional<QList<double>> Place(const QList<Column>& columns, const QList<Distance>& distances);

// Rows of label and value cells over a few columns.
enum class Align {
    Left,  // the text starts at the column's x
    Right, // the text ends at the column's x (a label before its value)
};

struct ColumnSpec {
    double percent; // of the printable width, where the column would like to stand
    Align align = Align::Left;
};

struct Cell {
    int column;
    QString text; // may end with CR LF pairs, which leave empty lines
    // The text goes on in lines under its first, each as wide as the room
    // right of its column; only the last cell of a row wraps.
    bool wraps = false;
};

// A row's cells, left to right; an empty row is one separate line break.
using Row = QList<Cell>;

struct Grid {
    QList<ColumnSpec> columns;
    QList<Row> rows;
};

// Places the columns of the grid in a printable width. Cells of a row stand
// `gap` apart; a right-aligned label ends `labelGap` before the cell after it.
// A wrapping cell takes the room its column leaves and asks for none.
std::optional<QList<double>> PlaceGrid(const Grid& grid, double width, double gap, double labelGap,
                                       const std::function<double(const QString&)>& textWidth);

// The printed part of a cell's text: up to its first line break.
QString FirstLine(const QString& text);

// The lines of a text in a width: broken at its own line breaks, and where a
// line would be wider, after its last blank that fits or else after its last
// character that fits. Nothing when not even one character fits.
std::optional<QStringList> Wrap(const QString& text, double width,
                                const std::function<double(const QString&)>& textWidth);

} // namespace PrintLayout
