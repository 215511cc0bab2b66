#include "views/comparison/YearEditorTexts.h"

#include "analytics/YearFieldText.h"

namespace {
QString shown(double value) { return QString::fromStdString(YearFieldText::decimalText(value)); }
double read(const QString& text) { return YearFieldText::readDecimal(text.toStdString()); }
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

TSXYear::Values editedValues(const TSXYear::Values& current, const YearEditorTexts& texts)
{
    TSXYear::Values values = current;
    if (!values.id)
        values.id = Uuid::random();
    values.year = YearFieldText::readYear(texts.year.toStdString());
    values.label = texts.label.isEmpty() ? std::nullopt : std::optional(texts.label);
    values.tsxReturn = read(texts.tsxReturn);
    values.netCashFlows = read(texts.netCashFlows);
    values.actualStart = read(texts.actualStart);
    values.actualEnd = read(texts.actualEnd);
    return values;
}
