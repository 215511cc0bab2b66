#include "views/dashboard/PolylineReduction.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {
// Maps x to its column in [0, columns); needs a line whose x span is positive.
class Columns {
public:
    Columns(const QList<QPointF>& line, int columns)
        : first_(line.front().x()), span_(line.back().x() - first_), columns_(columns)
    {
    }
    bool usable() const { return span_ > 0; }
    int of(const QPointF& point) const
    {
        return std::min(columns_ - 1, static_cast<int>(std::floor((point.x() - first_) / span_ * columns_)));
    }

private:
    double first_;
    double span_;
    int columns_;
};
} // namespace

QList<QPointF> reducedForColumns(const QList<QPointF>& line, int columns)
{
    if (columns < 1 || line.size() <= 4 * qsizetype(columns))
        return line;
    const Columns grid(line, columns);
    if (!grid.usable())
        return line;

    QList<QPointF> reduced;
    reduced.reserve(4 * qsizetype(columns));
    const auto columnOf = [&](qsizetype i) { return grid.of(line.at(i)); };
    qsizetype start = 0;
    while (start < line.size()) {
        const int column = columnOf(start);
        qsizetype end = start;
        qsizetype lowest = start;
        qsizetype highest = start;
        while (end < line.size() && columnOf(end) == column) {
            if (line.at(end).y() < line.at(lowest).y())
                lowest = end;
            if (line.at(end).y() > line.at(highest).y())
                highest = end;
            ++end;
        }
        std::array<qsizetype, 4> kept{start, lowest, highest, end - 1};
        std::sort(kept.begin(), kept.end());
        for (std::size_t k = 0; k < kept.size(); ++k)
            if (k == 0 || kept[k] != kept[k - 1])
                reduced.append(line.at(kept[k]));
        start = end;
    }
    return reduced;
}

QList<QPointF> thinnedForColumns(const QList<QPointF>& line, int columns)
{
    if (columns < 1 || line.size() <= qsizetype(columns))
        return line;
    const Columns grid(line, columns);
    if (!grid.usable())
        return line;
    QList<QPointF> thinned;
    thinned.reserve(qsizetype(columns) + 1);
    thinned.append(line.front());
    for (qsizetype i = 1; i < line.size(); ++i)
        if (i + 1 == line.size() || grid.of(line.at(i + 1)) != grid.of(line.at(i)))
            thinned.append(line.at(i));
    return thinned;
}
