#include "print/PrintLayout.h"

#include <QHash>
#include <QPair>
#include <QRegularExpression>
#include <algorithm>

namespace PrintLayout {

namespace {

// Measuring and rounding leave tiny differences; they do not make a layout fail.
constexpr double kSlack = 1e-6;

} // namespace

std::optional<QList<double>> Place(const QList<Column>& columns, const QList<Distance>& distances) {
    const qsizetype n = columns.size();
    QList<QList<Distance>> into(n), outOf(n);
    for (const Distance& d : distances) {
        if (d.from < 0 || d.to >= n || d.from >= d.to) continue;
        into[d.to].append(d);
        outOf[d.from].append(d);
    }
    // left to right: the columns packed as tightly as the texts allow, and the
    // columns at their preferred places pushed right where a text needs room
    QList<double> packed(n), x(n);
    for (qsizetype j = 0; j < n; ++j) {
        packed[j] = columns[j].least;
        x[j] = std::max(columns[j].preferred, columns[j].least);
        for (const Distance& d : into[j]) {
            packed[j] = std::max(packed[j], packed[d.from] + d.distance);
            x[j] = std::max(x[j], x[d.from] + d.distance);
        }
        if (packed[j] > columns[j].greatest + kSlack) return std::nullopt;
    }
    // right to left: back inside the width, pulling left what stands too close
    for (qsizetype j = n - 1; j >= 0; --j) {
        x[j] = std::min(x[j], columns[j].greatest);
        for (const Distance& d : outOf[j])
            x[j] = std::min(x[j], x[d.to] - d.distance);
    }
    return x;
}

QString FirstLine(const QString& text) {
    const qsizetype end = text.indexOf(QStringLiteral("\r\n"));
    return end < 0 ? text : text.left(end);
}

std::optional<QStringList> Wrap(const QString& text, double width,
                                const std::function<double(const QString&)>& textWidth) {
    QStringList lines;
    for (QString rest : text.split(QRegularExpression(QStringLiteral("\\r?\\n")))) {
        do {
            qsizetype take = 0;
            while (take < rest.size() && textWidth(rest.left(take + 1)) <= width)
                ++take;
            if (take == 0 && !rest.isEmpty()) return std::nullopt;
            const qsizetype blank = take < rest.size() ? rest.lastIndexOf(u' ', take) : -1;
            lines << rest.left(blank > 0 ? blank : take);
            rest = rest.mid(blank > 0 ? blank + 1 : take);
        } while (!rest.isEmpty());
    }
    return lines;
}

std::optional<QList<double>> PlaceGrid(const Grid& grid, double width, double gap, double labelGap,
                                       const std::function<double(const QString&)>& textWidth) {
    const qsizetype n = grid.columns.size();
    QList<double> widest(n, 0.0);
    QHash<QPair<int, int>, double> apart; // the greatest distance each pair of columns needs
    for (const Row& row : grid.rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            const Cell& cell = row[i];
            const double w = cell.wraps ? 0.0 : textWidth(FirstLine(cell.text));
            widest[cell.column] = std::max(widest[cell.column], w);
            if (i + 1 == row.size()) continue;
            const Cell& next = row[i + 1];
            const bool right = grid.columns[cell.column].align == Align::Right;
            const bool nextRight = grid.columns[next.column].align == Align::Right;
            const double d =
                (right ? labelGap : w + gap) + (nextRight ? textWidth(FirstLine(next.text)) : 0.0);
            double& need = apart[{cell.column, next.column}];
            need = std::max(need, d);
        }
    }
    QList<Column> columns;
    for (qsizetype j = 0; j < n; ++j) {
        const bool right = grid.columns[j].align == Align::Right;
        // in single precision, as every position of the report
        const float at =
            static_cast<float>(width) * static_cast<float>(grid.columns[j].percent) / 100.0f;
        columns.append({at, right ? widest[j] : 0.0, right ? width : width - widest[j]});
    }
    QList<Distance> distances;
    for (auto it = apart.cbegin(); it != apart.cend(); ++it)
        distances.append({it.key().first, it.key().second, it.value()});
    return Place(columns, distances);
}

} // namespace PrintLayout
