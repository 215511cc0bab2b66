#include "views/entries/EntryTableModel.h"

#include "model/BalanceEntry.h"
#include "views/kit/DigitFont.h"
#include "services/DisplayText.h"
#include "views/kit/Tints.h"

#include <QGuiApplication>

#include <array>

static_assert(std::is_same_v<AdjustedBalances::Rows, LiveResult<BalanceEntry>::Objects>);

namespace {

struct ColumnLayout {
    const char* title;
    ColumnWidth width;
    bool amount; // equal-width digits, aligned right
};
constexpr std::array<ColumnLayout, EntryTableModel::ColumnCount> columns{{
    {QT_TRANSLATE_NOOP("EntryTableModel", "Date"), {110, 130}, false},
    {QT_TRANSLATE_NOOP("EntryTableModel", "Balance"), {90, 110}, true},
    {QT_TRANSLATE_NOOP("EntryTableModel", "Adjustment"), {90, 110}, true},
    {QT_TRANSLATE_NOOP("EntryTableModel", "Transfers"), {70, 90}, true},
    {QT_TRANSLATE_NOOP("EntryTableModel", "Adj. Balance"), {90, 110}, true},
    {QT_TRANSLATE_NOOP("EntryTableModel", "Note"), {120, 220}, false},
}};

// The columns an attribute's change shows in (the adjusted balance follows the balance).
std::array<int, 2> columnsOf(int attribute)
{
    switch (attribute) {
    case BalanceEntry::Date: return {EntryTableModel::DateColumn, -1};
    case BalanceEntry::Balance: return {EntryTableModel::BalanceColumn, EntryTableModel::AdjustedBalanceColumn};
    case BalanceEntry::Adjustment: return {EntryTableModel::AdjustmentColumn, -1};
    case BalanceEntry::Transfers: return {EntryTableModel::TransfersColumn, -1};
    case BalanceEntry::Note: return {EntryTableModel::NoteColumn, -1};
    default: return {-1, -1};
    }
}

// Rows of texts kept: many screens of a tall window.
constexpr std::size_t keptRows = 4096;

constexpr std::uint32_t bit(int attribute) { return std::uint32_t{1} << attribute; }

} // namespace

ColumnWidth EntryTableModel::width(Column column) { return columns[std::size_t(column)].width; }

EntryTableModel::EntryTableModel(ObjectContext& context, QObject* parent)
    : QAbstractTableModel(parent),
      entries_(context, BalanceEntry::Date, SortDirection::Descending),
      digitFont_(equalWidthDigitFont())
{
    setPalette(QGuiApplication::palette());
    entries_.setListener(this);
}

EntryTableModel::~EntryTableModel() { entries_.setListener(nullptr); }

Result<void> EntryTableModel::fetch() { return entries_.fetch(); }

const std::shared_ptr<BalanceEntry>& EntryTableModel::entryAt(int row) const
{
    return entries_.objects()[std::size_t(row)];
}

int EntryTableModel::rowOf(const BalanceEntry& entry) const { return entries_.indexOf(entry); }

double EntryTableModel::adjustedBalance(int row) const { return adjusted_.at(entries_.objects(), row); }

void EntryTableModel::setPalette(const QPalette& palette)
{
    colours_ = {Tints::green(palette), Tints::red(palette), Tints::secondaryText(palette)};
    texts_.clear();
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1), {Qt::ForegroundRole});
}

int EntryTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : entries_.size(); }

int EntryTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant EntryTableModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const BalanceEntry& entry = *entryAt(index.row());
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole: return displayText(entry, index.row(), column);
    case RawValueRole: return rawValue(entry, index.row(), column);
    case Qt::ForegroundRole: return foreground(entry, column);
    case Qt::FontRole: return columns[std::size_t(column)].amount ? digitFont_ : QVariant();
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter | (columns[std::size_t(column)].amount ? Qt::AlignRight : Qt::AlignLeft));
    default: return {};
    }
}

QString EntryTableModel::displayText(const BalanceEntry& entry, int row, int column) const
{
    if (column < 0 || column >= ColumnCount)
        return {};
    if (texts_.size() >= keptRows && !texts_.contains(&entry))
        texts_.clear();
    auto [kept, added] = texts_.try_emplace(&entry);
    RowTexts& texts = kept->second;
    if (added) {
        for (int other = 0; other < ColumnCount; ++other)
            if (other != AdjustedBalanceColumn)
                texts.text[std::size_t(other)] = formattedText(entry, row, other);
    }
    if (column == AdjustedBalanceColumn) {
        const double adjusted = adjustedBalance(row);
        if (!texts.adjustedKnown || texts.adjusted != adjusted) {
            texts.text[std::size_t(column)] = formattedText(entry, row, column);
            texts.adjusted = adjusted;
            texts.adjustedKnown = true;
        }
    }
    return texts.text[std::size_t(column)];
}

void EntryTableModel::forgetTexts(int first, int last)
{
    if (texts_.empty())
        return;
    if (std::size_t(last - first + 1) >= texts_.size()) {
        texts_.clear();
        return;
    }
    for (int row = first; row <= last; ++row)
        texts_.erase(entryAt(row).get());
}

QString EntryTableModel::formattedText(const BalanceEntry& entry, int row, int column) const
{
    switch (column) {
    case DateColumn: return DisplayText::entryDate(entry.date());
    case BalanceColumn: return DisplayText::currency(entry.balance());
    case AdjustmentColumn: return DisplayText::entryAdjustment(entry.adjustment());
    case TransfersColumn: return DisplayText::entryTransfers(entry.transfers());
    case AdjustedBalanceColumn: return DisplayText::currency(adjustedBalance(row));
    case NoteColumn: return entry.note().value_or(QString());
    default: return {};
    }
}

QVariant EntryTableModel::rawValue(const BalanceEntry& entry, int row, int column) const
{
    switch (column) {
    case DateColumn: return entry.date() ? QVariant(qint64(millisecondsOf(*entry.date()))) : QVariant();
    case BalanceColumn: return entry.balance();
    case AdjustmentColumn: return entry.adjustment();
    case TransfersColumn: return entry.transfers();
    case AdjustedBalanceColumn: return adjustedBalance(row);
    case NoteColumn: return entry.note().value_or(QString());
    default: return {};
    }
}

QVariant EntryTableModel::foreground(const BalanceEntry& entry, int column) const
{
    switch (column) {
    case AdjustmentColumn:
        if (entry.adjustment() > 0)
            return colours_.green;
        if (entry.adjustment() < 0)
            return colours_.red;
        return colours_.secondary;
    case TransfersColumn:
    case AdjustedBalanceColumn: return colours_.secondary;
    default: return {};
    }
}

QVariant EntryTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return tr(columns[std::size_t(section)].title);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignVCenter | (columns[std::size_t(section)].amount ? Qt::AlignRight : Qt::AlignLeft));
    return {};
}

void EntryTableModel::willReset() { beginResetModel(); }

void EntryTableModel::didReset()
{
    texts_.clear();
    adjusted_.rebuild(entries_.objects());
    endResetModel();
}

void EntryTableModel::willInsert(int first, int last)
{
    pendingFirst_ = first;
    pendingLast_ = last;
    beginInsertRows({}, first, last);
}

void EntryTableModel::didInsert()
{
    forgetTexts(pendingFirst_, pendingLast_);
    const int changedThrough = adjusted_.inserted(entries_.objects(), pendingFirst_, pendingLast_);
    endInsertRows();
    adjustedChangedThrough(changedThrough);
}

void EntryTableModel::willRemove(int first, int last)
{
    pendingFirst_ = first;
    pendingLast_ = last;
    forgetTexts(first, last);
    beginRemoveRows({}, first, last);
}

void EntryTableModel::didRemove()
{
    const int changedThrough = adjusted_.removed(entries_.objects(), pendingFirst_, pendingLast_);
    endRemoveRows();
    adjustedChangedThrough(changedThrough);
}

void EntryTableModel::willMove(int from, int to)
{
    pendingFirst_ = from;
    pendingLast_ = to > from ? to - 1 : to;
    forgetTexts(from, from);
    beginMoveRows({}, from, from, {}, to);
}

void EntryTableModel::didMove()
{
    const int changedThrough = adjusted_.moved(entries_.objects(), pendingFirst_, pendingLast_);
    endMoveRows();
    adjustedChangedThrough(changedThrough);
}

void EntryTableModel::didUpdate(int first, int last, std::uint32_t attributes)
{
    forgetTexts(first, last);
    int firstColumn = ColumnCount;
    int lastColumn = -1;
    for (int attribute = 0; attribute < BalanceEntry::attributeCount; ++attribute) {
        if (!(attributes & bit(attribute)))
            continue;
        for (int column : columnsOf(attribute)) {
            if (column < 0)
                continue;
            firstColumn = std::min(firstColumn, column);
            lastColumn = std::max(lastColumn, column);
        }
    }
    if (lastColumn >= 0)
        Q_EMIT dataChanged(index(first, firstColumn), index(last, lastColumn));
    if (attributes & (bit(BalanceEntry::Date) | bit(BalanceEntry::Adjustment)))
        adjustedChangedThrough(adjusted_.changed(entries_.objects(), last));
}

void EntryTableModel::adjustedChangedThrough(int row)
{
    if (row >= 0)
        Q_EMIT dataChanged(index(0, AdjustedBalanceColumn), index(row, AdjustedBalanceColumn), {Qt::DisplayRole, RawValueRole});
}
