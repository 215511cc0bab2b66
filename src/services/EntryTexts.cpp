#include "services/EntryTexts.h"

#include "analytics/Fmt.h"
#include "csv/ExportFields.h"
#include "services/NoteRules.h"
#include "services/TypedInput.h"

#include <QDateTime>

namespace {

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

// The reason `read` gives, or empty; `blankIsSilent` for the fields that have no default.
template <class T>
QString reasonOf(const Result<T>& read, const QString& text, bool blankIsSilent)
{
    return read.ok() || (blankIsSilent && TypedInput::isBlank(text)) ? QString() : read.error().message;
}

} // namespace

EntryTexts EntryTexts::load(const BalanceEntry::Values& values, bool isNew, Instant now)
{
    return EntryTexts{
        .dateText = isoDayText(values.date.value_or(now)),
        .balance = amountText(values.balance, isNew),
        .adjustment = amountText(values.adjustment, true),
        .transfers = amountText(values.transfers, true),
        .note = values.note.value_or(QString()),
    };
}

EntryTexts::Reading EntryTexts::read() const
{
    const Result<Instant> day = TypedInput::day(dateText);
    const Result<double> balanceValue = TypedInput::amount(balance);
    const Result<double> adjustmentValue = TypedInput::optionalAmount(adjustment);
    const Result<double> transfersValue = TypedInput::optionalAmount(transfers);
    const std::optional<QString> noteValue = note.isEmpty() ? std::nullopt : std::optional<QString>(note);
    const std::optional<QString> noteRefusal = NoteRules::refusal(noteValue);

    Reading reading{
        .values = std::nullopt,
        .date = reasonOf(day, dateText, true),
        .balance = reasonOf(balanceValue, balance, true),
        .adjustment = reasonOf(adjustmentValue, adjustment, false),
        .transfers = reasonOf(transfersValue, transfers, false),
        .note = noteRefusal.value_or(QString()),
    };
    if (day && balanceValue && adjustmentValue && transfersValue && !noteRefusal) {
        reading.values = BalanceEntry::Values{
            .id = std::nullopt,
            .date = day.value(),
            .balance = balanceValue.value(),
            .adjustment = adjustmentValue.value(),
            .transfers = transfersValue.value(),
            .note = noteValue,
        };
    }
    return reading;
}
