#include "services/DisplayText.h"

#include "analytics/Fmt.h"

namespace {
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
} // namespace DisplayText
