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

// The y values of the points of `line` in column `column` (100 x units wide), in order.
QList<double> column(const QList<QPointF>& line, int column)
{
    QList<double> ys;
    for (const QPointF& p : line)
        if (int(p.x()) / 100 == column)
            ys.append(p.y());
    return ys;
}
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
    const QList<QPointF> reduced = reducedForColumns(line, 100); // 100 points per column
    ASSERT_LE(reduced.size(), 4 * 100);
    EXPECT_TRUE(std::is_sorted(reduced.begin(), reduced.end(), [](auto& a, auto& b) { return a.x() < b.x(); }));
    for (int c = 0; c < 100; ++c) {
        const QList<double> all = column(line, c);
        const QList<double> kept = column(reduced, c);
        ASSERT_FALSE(kept.isEmpty()) << c;
        EXPECT_EQ(std::minmax_element(kept.begin(), kept.end()).first[0], std::minmax_element(all.begin(), all.end()).first[0]) << c;
        EXPECT_EQ(std::minmax_element(kept.begin(), kept.end()).second[0], std::minmax_element(all.begin(), all.end()).second[0]) << c;
        EXPECT_EQ(std::pair(kept.front(), kept.back()), std::pair(all.front(), all.back())) << c;
    }
}

TEST(PolylineReduction, ThinningKeepsTheFirstPointAndEachColumnsLast)
{
    const QList<QPointF> line = noisyLine(1'000);
    const QList<QPointF> thinned = thinnedForColumns(line, 10);
    ASSERT_EQ(thinned.size(), 11);
    EXPECT_EQ(thinned.front(), line.front());
    for (int c = 0; c < 10; ++c)
        EXPECT_EQ(thinned.at(c + 1), line.at(c * 100 + 99));
}
