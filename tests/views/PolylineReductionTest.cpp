#include "views/PolylineReduction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {
// A noisy line of `n` points over x = 0 .. n-1.
QList<QPointF> noisyLine(int n)
{
    QList<QPointF> line;
    for (int i = 0; i < n; ++i)
        line.append(QPointF(i, std::sin(i * 0.37) * 100 + (i % 7) * 3));
    return line;
}

double yOf(const QPointF& p) { return p.y(); }
} // namespace

TEST(PolylineReduction, ShortLinesComeBackUnchanged)
{
    const QList<QPointF> line = noisyLine(40);
    EXPECT_EQ(reducedForColumns(line, 10), line);
    EXPECT_EQ(thinnedForColumns(line, 40), line);
}

TEST(PolylineReduction, EveryColumnKeepsItsEndsAndVerticalExtent)
{
    const QList<QPointF> line = noisyLine(10'000);
    const int columns = 100; // 100 points per column
    const QList<QPointF> reduced = reducedForColumns(line, columns);
    ASSERT_LE(reduced.size(), 4 * columns);
    EXPECT_EQ(reduced.front(), line.front());
    EXPECT_EQ(reduced.back(), line.back());
    EXPECT_TRUE(std::is_sorted(reduced.begin(), reduced.end(), [](auto& a, auto& b) { return a.x() < b.x(); }));
    for (int column = 0; column < columns; ++column) {
        const auto inColumn = [&](const QPointF& p) { return int(p.x()) / 100 == column; };
        QList<double> all;
        QList<double> kept;
        for (const QPointF& p : line)
            if (inColumn(p))
                all.append(yOf(p));
        for (const QPointF& p : reduced)
            if (inColumn(p))
                kept.append(yOf(p));
        ASSERT_FALSE(kept.isEmpty()) << column;
        EXPECT_EQ(*std::min_element(kept.begin(), kept.end()), *std::min_element(all.begin(), all.end())) << column;
        EXPECT_EQ(*std::max_element(kept.begin(), kept.end()), *std::max_element(all.begin(), all.end())) << column;
        EXPECT_EQ(kept.front(), all.front()) << column;
        EXPECT_EQ(kept.back(), all.back()) << column;
    }
}

TEST(PolylineReduction, ThinningKeepsTheFirstPointAndEachColumnsLast)
{
    const QList<QPointF> line = noisyLine(1'000);
    const QList<QPointF> thinned = thinnedForColumns(line, 10);
    ASSERT_EQ(thinned.size(), 11);
    EXPECT_EQ(thinned.front(), line.front());
    for (int column = 0; column < 10; ++column)
        EXPECT_EQ(thinned.at(column + 1), line.at(column * 100 + 99));
}
