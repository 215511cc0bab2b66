#include "views/comparison/YearEditorTexts.h"

#include "analytics/YearFieldText.h"
#include "services/TypedInput.h"

namespace {
QString shown(double value) { return QString::fromStdString(YearFieldText::decimalText(value)); }

// Writes what `read` gave into `value`, or its reason into `reason`.
bool take(const Result<double>& read, double& value, QString& reason)
{
    if (read)
        value = read.value();
    else
        reason = read.error().message;
    return read.ok();
}
} // namespace

YearEditorTexts editorTexts(const TSXYear::Values& values)
{
    return YearEditorTexts{QString::fromStdString(YearFieldText::yearText(values.year)),
                           values.label.value_or(QString()),
                           shown(values.tsxReturn),
                           shown(values.netCashFlows),
                           shown(values.actualStart),
                           shown(values.actualEnd)};
}

YearEditorReading readTexts(const TSXYear::Values& current, const YearEditorTexts& texts)
{
    TSXYear::Values values = current;
    if (!values.id)
        values.id = Uuid::random();
    values.year = YearFieldText::readYear(texts.year.toStdString());
    values.label = texts.label.isEmpty() ? std::nullopt : std::optional(texts.label);
    YearEditorReading reading;
    const bool read = take(TypedInput::fraction(texts.tsxReturn), values.tsxReturn, reading.tsxReturn)
                      & take(TypedInput::optionalAmount(texts.netCashFlows), values.netCashFlows, reading.netCashFlows)
                      & take(TypedInput::optionalAmount(texts.actualStart), values.actualStart, reading.actualStart)
                      & take(TypedInput::optionalAmount(texts.actualEnd), values.actualEnd, reading.actualEnd);
    if (read)
        reading.values = values;
    return reading;
}
