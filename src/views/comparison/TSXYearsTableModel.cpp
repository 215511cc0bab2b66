#include "views/comparison/TSXYearsTableModel.h"

#include "analytics/YearlyPortfolio.h"
#include "model/StatsConversions.h"
#include "views/kit/DigitFont.h"
#include "services/DisplayText.h"
#include "views/kit/Tints.h"

#include <QGuiApplication>

namespace {
using Tints::Role;

const char* const titles[] = {
    QT_TRANSLATE_NOOP("TSXYearsTableModel", "Year"),
    QT_TRANSLATE_NOOP("TSXYearsTableModel", "TSX Return"),
    QT_TRANSLATE_NOOP("TSXYearsTableModel", "Net Cash Flows"),
    QT_TRANSLATE_NOOP("TSXYearsTableModel", "Actual Start"),
    QT_TRANSLATE_NOOP("TSXYearsTableModel", "Actual End"),
    QT_TRANSLATE_NOOP("TSXYearsTableModel", "TSX Simulated"),
    QT_TRANSLATE_NOOP("TSXYearsTableModel", "Your Return"),
};
const ColumnWidth widths[] = {{70, 90}, {80, 100}, {100, 120}, {100, 120}, {100, 120}, {100, 120}, {90, 110}};
static_assert(std::size(titles) == TSXYearsTableModel::ColumnCount && std::size(widths) == TSXYearsTableModel::ColumnCount);

// Zero counts as a gain; a NaN is not "0 or more" and shows as a loss.
Role gainTint(double value) { return Tints::gainRole(value); }

QString noReturn() { return QStringLiteral("\u2014"); }
} // namespace

ColumnWidth TSXYearsTableModel::columnWidth(Column column) { return widths[column]; }

TSXYearsTableModel::TSXYearsTableModel(ObjectContext& context, QObject* parent)
    : QAbstractTableModel(parent), years_(context, TSXYear::SortOrder, SortDirection::Ascending), digitFont_(equalWidthDigitFont())
{
    years_.setListener(this);
}

TSXYearsTableModel::~TSXYearsTableModel() { years_.setListener(nullptr); }

Result<void> TSXYearsTableModel::fetch() { return years_.fetch(); }

int TSXYearsTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : years_.size(); }

int TSXYearsTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

std::shared_ptr<TSXYear> TSXYearsTableModel::yearAt(int row) const
{
    return row >= 0 && row < years_.size() ? years_.objects()[std::size_t(row)] : nullptr;
}

double TSXYearsTableModel::simulatedFor(std::int64_t sortOrder) const
{
    const auto found = simulatedByOrder_.find(sortOrder);
    return found == simulatedByOrder_.end() ? 0 : found->second;
}

QVariant TSXYearsTableModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const TSXYear& year = *years_.objects()[std::size_t(index.row())];
    const auto yourReturn = YearlyPortfolio::yearReturn(year.actualStart(), year.actualEnd(), year.netCashFlows());
    const auto column = Column(index.column());

    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (column == Year ? Qt::AlignLeft : Qt::AlignRight));
    if (role == Qt::FontRole)
        return column == Year ? QVariant() : digitFont_;
    if (role == Qt::ForegroundRole) {
        const QPalette palette = QGuiApplication::palette();
        switch (column) {
        case TsxReturn: return Tints::color(gainTint(year.tsxReturn()), palette);
        case TsxSimulated: return Tints::secondaryText(palette);
        case YourReturn: return Tints::color(yourReturn ? gainTint(*yourReturn) : Role::Secondary, palette);
        default: return {};
        }
    }
    if (role == Qt::DisplayRole) {
        switch (column) {
        case Year: return year.displayName();
        case TsxReturn: return DisplayText::percent(year.tsxReturn());
        case NetCashFlows: return DisplayText::currency(year.netCashFlows());
        case ActualStart: return DisplayText::currency(year.actualStart());
        case ActualEnd: return DisplayText::currency(year.actualEnd());
        case TsxSimulated: return DisplayText::currency(simulatedFor(year.sortOrder()));
        case YourReturn: return yourReturn ? DisplayText::percent(*yourReturn) : noReturn();
        case ColumnCount: break;
        }
    }
    if (role == RawValueRole) {
        switch (column) {
        case Year: return year.displayName();
        case TsxReturn: return year.tsxReturn();
        case NetCashFlows: return year.netCashFlows();
        case ActualStart: return year.actualStart();
        case ActualEnd: return year.actualEnd();
        case TsxSimulated: return simulatedFor(year.sortOrder());
        case YourReturn: return yourReturn ? QVariant(*yourReturn) : QVariant();
        case ColumnCount: break;
        }
    }
    return {};
}

QVariant TSXYearsTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return tr(titles[section]);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (section == Year ? Qt::AlignLeft : Qt::AlignRight));
    return {};
}

void TSXYearsTableModel::willReset() { beginResetModel(); }

void TSXYearsTableModel::didReset()
{
    recomputeSimulated();
    endResetModel();
    Q_EMIT yearsChanged();
}

void TSXYearsTableModel::willInsert(int first, int last) { beginInsertRows({}, first, last); }
void TSXYearsTableModel::didInsert() { endInsertRows(); }
void TSXYearsTableModel::willRemove(int first, int last) { beginRemoveRows({}, first, last); }
void TSXYearsTableModel::didRemove() { endRemoveRows(); }
void TSXYearsTableModel::willMove(int from, int to) { beginMoveRows({}, from, from, {}, to); }
void TSXYearsTableModel::didMove() { endMoveRows(); }

void TSXYearsTableModel::didUpdate(int first, int last, std::uint32_t)
{
    Q_EMIT dataChanged(index(first, 0), index(last, ColumnCount - 1));
}

// Every year's simulated balance depends on the years before it, so any change of the years
// may change the whole column.
void TSXYearsTableModel::didApply(const ChangeSet& changes)
{
    if (changes.years.isEmpty() && !changes.reset)
        return;
    recomputeSimulated();
    if (years_.size() > 0)
        Q_EMIT dataChanged(index(0, TsxSimulated), index(years_.size() - 1, TsxSimulated));
    Q_EMIT yearsChanged();
}

void TSXYearsTableModel::recomputeSimulated()
{
    simulatedByOrder_.clear();
    for (const TSXRow& row : TSXModel::simulate(inputs(years_.objects())))
        simulatedByOrder_[row.input.sortOrder] = row.simulated;
}
