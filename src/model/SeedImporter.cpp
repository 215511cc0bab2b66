#include "model/SeedImporter.h"

#include "model/BalanceEntry.h"
#include "model/NewEntry.h"
#include "model/ObjectContext.h"
#include "model/TSXYear.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QSettings>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

namespace SeedImporter {
namespace {

Q_LOGGING_CATEGORY(lcSeed, "corvanta.seed")

const QString seededFlag = QStringLiteral("didSeedInitialData_v1");
const QString corvantaFile = QStringLiteral("corvanta_seed.json");
const QString tsxFile = QStringLiteral("tsx_seed.json");

// One element of corvanta_seed.json. The date stays text: an unreadable day drops only its
// own element, never the file.
struct SeedEntry {
    QString date;
    double balance = 0;
    double adjustment = 0;
    double transfers = 0;
    std::optional<QString> note;
};

// One element of tsx_seed.json, integers already checked against the entity's widths.
struct TSXSeed {
    std::int16_t sortOrder = 0;
    std::int32_t year = 0;
    std::optional<QString> label;
    double tsxReturn = 0;
    double netCashFlows = 0;
    double actualStart = 0;
    double actualEnd = 0;
};

// Reads the keys of one JSON object with the seed formats' strictness: a required key must be
// present with the right type, an optional one may be absent or null; anything else marks
// the whole file invalid (`valid` turns false and stays false).
class FieldReader {
public:
    explicit FieldReader(QJsonObject object) : object_(std::move(object)) {}
    bool valid() const { return valid_; }

    double number(const QString& key) { return optionalNumber(key, true).value_or(0); }
    std::optional<double> optionalNumber(const QString& key) { return optionalNumber(key, false); }

    // A JSON number without a fractional part that fits [minimum, maximum].
    std::optional<std::int64_t> integer(const QString& key, std::int64_t minimum, std::int64_t maximum, bool required)
    {
        const std::optional<double> value = optionalNumber(key, required);
        if (!value)
            return std::nullopt;
        if (std::trunc(*value) != *value || *value < double(minimum) || *value > double(maximum)) {
            valid_ = false;
            return std::nullopt;
        }
        return static_cast<std::int64_t>(*value);
    }

    std::optional<QString> string(const QString& key, bool required)
    {
        const QJsonValue value = object_.value(key);
        if (isAbsent(value, required))
            return std::nullopt;
        if (!value.isString()) {
            valid_ = false;
            return std::nullopt;
        }
        return value.toString();
    }

private:
    std::optional<double> optionalNumber(const QString& key, bool required)
    {
        const QJsonValue value = object_.value(key);
        if (isAbsent(value, required))
            return std::nullopt;
        if (!value.isDouble() || !std::isfinite(value.toDouble())) {
            valid_ = false;
            return std::nullopt;
        }
        return value.toDouble();
    }

    // Absent or null: fine for an optional key, a format error for a required one.
    bool isAbsent(const QJsonValue& value, bool required)
    {
        if (!value.isUndefined() && !value.isNull())
            return false;
        if (required)
            valid_ = false;
        return true;
    }

    QJsonObject object_;
    bool valid_ = true;
};

std::optional<SeedEntry> decodeEntry(const QJsonObject& object)
{
    FieldReader reader(object);
    SeedEntry entry;
    entry.date = reader.string(QStringLiteral("date"), true).value_or(QString());
    entry.balance = reader.number(QStringLiteral("balance"));
    entry.adjustment = reader.number(QStringLiteral("adjustment"));
    entry.transfers = reader.optionalNumber(QStringLiteral("transfers")).value_or(0);
    entry.note = reader.string(QStringLiteral("note"), false);
    if (!reader.valid())
        return std::nullopt;
    return entry;
}

std::optional<TSXSeed> decodeTSX(const QJsonObject& object)
{
    using Limits16 = std::numeric_limits<std::int16_t>;
    using Limits32 = std::numeric_limits<std::int32_t>;
    FieldReader reader(object);
    TSXSeed row;
    row.sortOrder = static_cast<std::int16_t>(
        reader.integer(QStringLiteral("sortOrder"), Limits16::min(), Limits16::max(), true).value_or(0));
    row.year = static_cast<std::int32_t>(
        reader.integer(QStringLiteral("year"), Limits32::min(), Limits32::max(), false).value_or(0));
    row.label = reader.string(QStringLiteral("label"), false);
    row.tsxReturn = reader.number(QStringLiteral("tsxReturn"));
    row.netCashFlows = reader.number(QStringLiteral("netCashFlows"));
    row.actualStart = reader.number(QStringLiteral("actualStart"));
    row.actualEnd = reader.number(QStringLiteral("actualEnd"));
    if (!reader.valid())
        return std::nullopt;
    return row;
}

// The whole file as records, or nothing when it is missing, unreadable or not in the format
// (a top level that is not an array, an element that is not an object or fails `decode`).
template <class Record, class Decode>
std::optional<std::vector<Record>> readRecords(const SeedSource& source, const QString& fileName, Decode decode)
{
    QFile file(QDir(source.directory).filePath(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return std::nullopt;
    std::vector<Record> records;
    for (const QJsonValue& element : document.array()) {
        if (!element.isObject())
            return std::nullopt;
        std::optional<Record> record = decode(element.toObject());
        if (!record)
            return std::nullopt;
        records.push_back(std::move(*record));
    }
    return records;
}

bool isDigits(const QString& text, qsizetype from, qsizetype count)
{
    for (qsizetype i = from; i < from + count; ++i)
        if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9'))
            return false;
    return true;
}

// Midnight UTC of a "yyyy-MM-dd" day: exactly four, two and two digits, a real Gregorian
// date of years 1 to 9999, nothing before or after. Independent of the machine's zone.
std::optional<Instant> parseSeedDay(const QString& text)
{
    if (text.size() != 10 || text[4] != QLatin1Char('-') || text[7] != QLatin1Char('-') || !isDigits(text, 0, 4)
        || !isDigits(text, 5, 2) || !isDigits(text, 8, 2))
        return std::nullopt;
    const std::chrono::year_month_day day{std::chrono::year{text.mid(0, 4).toInt()},
                                          std::chrono::month{text.mid(5, 2).toUInt()},
                                          std::chrono::day{text.mid(8, 2).toUInt()}};
    if (!day.ok() || day.year() < std::chrono::year{1})
        return std::nullopt;
    return std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::sys_days{day});
}

void logInvalid(const QString& fileName)
{
    qCWarning(lcSeed).noquote() << fileName + QStringLiteral(" missing or invalid");
}

void seedCorvanta(ObjectContext& context, const SeedSource& source)
{
    const auto records = readRecords<SeedEntry>(source, corvantaFile, decodeEntry);
    if (!records) {
        logInvalid(corvantaFile);
        return;
    }
    for (const SeedEntry& record : *records) {
        const std::optional<Instant> date = parseSeedDay(record.date);
        if (!date)
            continue;
        context.insert(makeBalanceEntry({.date = date,
                                         .balance = record.balance,
                                         .adjustment = record.adjustment,
                                         .transfers = record.transfers,
                                         .note = record.note}));
    }
}

void seedTSX(ObjectContext& context, const SeedSource& source)
{
    const auto records = readRecords<TSXSeed>(source, tsxFile, decodeTSX);
    if (!records) {
        logInvalid(tsxFile);
        return;
    }
    for (const TSXSeed& record : *records) {
        TSXYear::create(context)->assign({
            .id = Uuid::random(),
            .year = record.year,
            .label = record.label,
            .tsxReturn = record.tsxReturn,
            .actualStart = record.actualStart,
            .actualEnd = record.actualEnd,
            .netCashFlows = record.netCashFlows,
            .sortOrder = record.sortOrder,
        });
    }
}

} // namespace

void seedIfNeeded(ObjectContext& context, const SeedSource& source)
{
    QSettings settings;
    if (settings.value(seededFlag, false).toBool())
        return;
    // A failing count reads as an empty store: importing into a store we cannot inspect is
    // the lesser harm than never seeding.
    const Result<std::int64_t> count = context.countBalanceEntries();
    if (!count.ok() || count.value() == 0) {
        seedCorvanta(context, source);
        seedTSX(context, source);
        const Result<void> saved = context.save();
        if (!saved.ok())
            qCWarning(lcSeed).noquote() << QStringLiteral("Seed save failed: ") + saved.error().message;
    }
    settings.setValue(seededFlag, true);
    settings.sync();
}

} // namespace SeedImporter
