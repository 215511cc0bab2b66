#include "views/entries/EntryEditorText.h"

#include "analytics/Fmt.h"
#include "csv/ExportFields.h"

#include <QDateTime>

#include <algorithm>

namespace {

std::string utf8(const QString& text) { return text.toStdString(); }

QString amountText(double value, bool emptyWhenZero)
{
    if (emptyWhenZero && value == 0)
        return QString();
    return QString::fromStdString(CSVPorter::numberText(value));
}

QString isoDayText(Instant instant)
{
    if (const auto text = Fmt::isoDay(instant))
        return QString::fromStdString(*text);
    return QDateTime::fromMSecsSinceEpoch(millisecondsOf(instant)).date().toString(Qt::ISODate);
}

// Blank means nothing but space separators and tabs, the characters Fmt trims.
bool isBlank(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space;
    });
}

} // namespace

EntryEditorText EntryEditorText::load(const BalanceEntry::Values& values, bool isNew, Instant now)
{
    return EntryEditorText{
        .dateText = isoDayText(values.date.value_or(now)),
        .balance = amountText(values.balance, isNew),
        .adjustment = amountText(values.adjustment, true),
        .transfers = amountText(values.transfers, true),
        .note = values.note.value_or(QString()),
    };
}

std::optional<BalanceEntry::Values> EntryEditorText::values() const
{
    const std::optional<double> balanceValue = Fmt::finiteNumber(utf8(balance));
    const std::optional<Instant> day = Fmt::parseDay(utf8(dateText));
    if (!balanceValue || !day)
        return std::nullopt;
    return BalanceEntry::Values{
        .id = std::nullopt,
        .date = day,
        .balance = *balanceValue,
        .adjustment = Fmt::finiteNumber(utf8(adjustment)).value_or(0),
        .transfers = Fmt::finiteNumber(utf8(transfers)).value_or(0),
        .note = note.isEmpty() ? std::nullopt : std::optional<QString>(note),
    };
}

bool EntryEditorText::showsDateHint(const QString& dateText)
{
    return !isBlank(dateText) && !Fmt::parseDay(utf8(dateText));
}
