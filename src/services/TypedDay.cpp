#include "services/TypedInput.h"

#include "analytics/Fmt.h"

#include <QCoreApplication>

namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(TypedDay)
};
} // namespace

namespace TypedInput {

QString dayHint() { return Words::tr("Use YYYY-MM-DD format (e.g. 2026-06-04)."); }

Result<Instant> day(const QString& text)
{
    if (const std::optional<Instant> parsed = Fmt::parseDay(text.toStdString()))
        return *parsed;
    return Error{dayHint(), {}};
}

bool showsDayHint(const QString& text)
{
    return !isBlank(text) && !day(text).ok();
}

} // namespace TypedInput
