#include "views/dashboard/ChartTableSheet.h"

#include "analytics/Fmt.h"
#include "services/DisplayText.h"
#include "views/kit/ModalOverlay.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QTableWidgetItem* cell(const QString& text, bool amount)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (amount)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QString cents(double value)
{
    return QString::fromStdString(Fmt::currencyCents(value).value_or(std::string(Fmt::currencyCentsFallback)));
}
} // namespace

ChartTableSheet::ChartTableSheet(const std::vector<BalancePoint>& points,
                                 const std::function<QString(const BalancePoint&)>& notes, std::function<void()> onClose,
                                 QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("chartTableSheet"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(20, 16, 20, 16);
    auto* title = new QLabel(tr("Balance Over Time"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    column->addWidget(title);

    auto* table = new QTableWidget(int(points.size()), 4, this);
    table->setObjectName(QStringLiteral("chartTable"));
    table->setAccessibleName(tr("Balance over time, as a table"));
    table->setHorizontalHeaderLabels({tr("Date"), tr("Balance"), tr("Investment-only"), tr("Note")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < int(points.size()); ++row) {
        const BalancePoint& point = points[std::size_t(row)];
        table->setItem(row, 0, cell(DisplayText::date(point.date), false));
        table->setItem(row, 1, cell(cents(point.balance), true));
        table->setItem(row, 2, cell(cents(point.adjusted), true));
        table->setItem(row, 3, cell(notes ? notes(point) : QString(), false));
    }
    table->resizeColumnsToContents();
    table->setMinimumSize(560, 320);
    column->addWidget(table, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* close = new QPushButton(tr("Close"), this);
    close->setDefault(true);
    ModalOverlay::setCancelButton(close);
    buttons->addWidget(close);
    column->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, [onClose = std::move(onClose)] { onClose(); });
}
