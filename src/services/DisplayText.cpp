#include "services/DisplayText.h"

#include "analytics/Fmt.h"

namespace {
const QString emDash = QStringLiteral("\u2014");

QString orFallback(const std::optional<std::string>& text, std::string_view fallback)
{
    if (text && !text->empty())
        return QString::fromStdString(*text);
    return QString::fromUtf8(fallback.data(), qsizetype(fallback.size()));
}
} // namespace

namespace DisplayText {
QString currency(double value) { return orFallback(Fmt::currency(value), Fmt::currencyFallback); }
QString percent(double fraction) { return orFallback(Fmt::percent(fraction), Fmt::percentFallback); }
QString date(Instant instant) { return orFallback(Fmt::date(instant), {}); }

QString entryDate(const std::optional<Instant>& date)
{
    const auto text = date ? Fmt::date(*date) : std::nullopt;
    return text ? QString::fromStdString(*text) : emDash;
}

QString entryAdjustment(double adjustment) { return adjustment == 0 ? emDash : currency(adjustment); }

QString entryTransfers(double transfers)
{
    return transfers == 0 ? emDash : orFallback(Fmt::currencyCents(transfers), Fmt::currencyCentsFallback);
}
} // namespace DisplayText
