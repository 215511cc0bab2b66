#include "automation/JsonOutput.h"

#include "automation/ConsoleOutput.h"
#include "model/NewEntry.h"
#include "services/JsonEncoding.h"

#include <QCoreApplication>
#include <QJsonDocument>

namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(JsonOutput)
};

int printDocument(const QJsonDocument& document)
{
    if (!ConsoleOutput::write(document.toJson(QJsonDocument::Indented)))
        return ConsoleOutput::failure(Words::tr("corvanta: standard output could not be written"));
    return 0;
}
} // namespace

namespace JsonOutput {

QJsonObject entity(const BalanceEntryEntity& entity)
{
    const auto entry = makeBalanceEntry({entity.id, entity.date, entity.balance, entity.adjustment, entity.transfers, entity.note});
    QJsonObject json = JsonEncoding::entry(*entry);
    const DisplayRepresentation shown = entity.displayRepresentation();
    json.insert(QStringLiteral("title"), shown.title);
    json.insert(QStringLiteral("subtitle"), shown.subtitle ? QJsonValue(*shown.subtitle) : QJsonValue());
    return json;
}

QJsonArray entities(const std::vector<BalanceEntryEntity>& list)
{
    QJsonArray array;
    for (const BalanceEntryEntity& one : list)
        array.append(entity(one));
    return array;
}

QJsonObject summary(const PortfolioSummary& summary, const QString& dialog)
{
    QJsonObject json = JsonEncoding::summary(summary);
    json.insert(QStringLiteral("dialog"), dialog);
    return json;
}

QJsonObject comparison(const YearlyComparison& comparison) { return JsonEncoding::comparison(comparison); }

int print(const QJsonObject& document) { return printDocument(QJsonDocument(document)); }
int print(const QJsonArray& document) { return printDocument(QJsonDocument(document)); }

} // namespace JsonOutput
