// The entry table's text-caching delegate must paint exactly what the stock delegate paints.
#include "views/kit/CachedTextDelegate.h"

#include <QImage>
#include <QStandardItemModel>
#include <QTableView>
#include <gmock/gmock.h>

namespace {

QImage painted(QAbstractItemModel& model, QAbstractItemDelegate* delegate, Qt::LayoutDirection direction)
{
    QTableView view;
    view.setLayoutDirection(direction);
    view.setWordWrap(false);
    view.setAlternatingRowColors(true);
    view.setModel(&model);
    view.setItemDelegate(delegate);
    view.setColumnWidth(0, 90);
    view.setColumnWidth(1, 60);
    view.resize(260, 200);
    view.selectRow(1);
    return view.grab().toImage();
}

// Alignments, a colour, a bold font, an elided text, a text of two lines and an empty cell,
// unselected and selected, left to right and right to left, twice over (from the cache).
TEST(CachedTextDelegate, PaintsWhatTheStockDelegatePaints)
{
    QStandardItemModel model(3, 3);
    const auto set = [&](int row, int column, const QString& text, Qt::Alignment alignment) {
        auto* item = new QStandardItem(text);
        item->setTextAlignment(alignment | Qt::AlignVCenter);
        model.setItem(row, column, item);
    };
    for (int row = 0; row < 3; ++row) {
        set(row, 0, QStringLiteral("Jan 31, 2026"), Qt::AlignLeft);
        set(row, 1, QStringLiteral("$1,234,567"), Qt::AlignRight);
        set(row, 2, row == 2 ? QStringLiteral("two\nlines") : QStringLiteral("A note far too long for its column"), Qt::AlignLeft);
    }
    model.item(0, 1)->setForeground(Qt::red);
    QFont bold;
    bold.setBold(true);
    model.item(1, 0)->setFont(bold);
    model.item(2, 1)->setText({});
    for (const auto direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        SCOPED_TRACE(direction);
        QStyledItemDelegate stockDelegate;
        const QImage stock = painted(model, &stockDelegate, direction);
        CachedTextDelegate cached;
        EXPECT_EQ(painted(model, &cached, direction), stock);
        EXPECT_EQ(painted(model, &cached, direction), stock);
    }
}

} // namespace
