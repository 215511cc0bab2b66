#include "automation/EntryListing.h"

#include "analytics/DayStart.h"
#include "automation/ConsoleOutput.h"
#include "automation/TerminalText.h"
#include "services/DisplayText.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(EntryListing)
};

// Standard output in blocks: one write per block, the first failure remembered. The block is
// a std::string: appending many short pieces to one is several times cheaper than to a
// QByteArray.
class BlockWriter {
public:
    static constexpr std::size_t blockSize = 1 << 20;
    BlockWriter() { buffer_.reserve(blockSize + 4096); }
    std::string& buffer() { return buffer_; }
    // After each entry.
    void flushWhenFull()
    {
        if (buffer_.size() >= blockSize)
            flush();
    }
    bool flush()
    {
        if (!failed_ && !buffer_.empty())
            failed_ = !ConsoleOutput::write(QByteArray::fromRawData(buffer_.data(), qsizetype(buffer_.size())));
        buffer_.clear(); // keeps the block's memory
        return !failed_;
    }
    bool failed() const { return failed_; }

private:
    std::string buffer_;
    bool failed_ = false;
};

// The medium date of each local day in UTF-8, formatted once per day: entries come in date
// order, so most share the day of the one before.
class DayTexts {
public:
    const std::string& operator()(Instant instant)
    {
        const long long ms = millisecondsOf(instant);
        if (ms >= from_ && ms < until_)
            return text_;
        text_ = DisplayText::date(instant).toStdString();
        std::tie(from_, until_) = table_->sameLocalDate(ms, 0).value_or(std::pair{ms, ms});
        return text_;
    }

private:
    std::unique_ptr<icu::TimeZone> zone_{icu::TimeZone::createDefault()};
    std::shared_ptr<const DayStartTable> table_ = DayStartTable::of(*zone_);
    long long from_ = 0;
    long long until_ = 0;
    std::string text_;
};

// As Qt's JSON writer spells a number: integers without a fraction, others in the shortest
// form that reads back; what is not finite is null.
void appendNumber(std::string& out, double value)
{
    constexpr double exactIntegers = 9007199254740992.0; // 2^53
    if (!std::isfinite(value)) {
        out += "null";
    } else if (value == std::trunc(value) && std::fabs(value) < exactIntegers) {
        char digits[24];
        out.append(digits, std::to_chars(digits, digits + sizeof digits, static_cast<long long>(value)).ptr);
    } else {
        out += QByteArray::number(value, 'g', QLocale::FloatingPointShortest).toStdString();
    }
}

void appendString(std::string& out, std::string_view utf8)
{
    const auto plain = [](char c) { return c != '"' && c != '\\' && static_cast<unsigned char>(c) >= 0x20; };
    out += '"';
    for (std::size_t at = 0; at < utf8.size();) {
        // Runs of characters that need no escape are copied whole.
        const std::size_t runEnd = std::size_t(std::find_if_not(utf8.begin() + at, utf8.end(), plain) - utf8.begin());
        out.append(utf8.substr(at, runEnd - at));
        if (runEnd == utf8.size())
            break;
        switch (const char c = utf8[runEnd]) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", unsigned(c));
            out += escape;
        }
        }
        at = runEnd + 1;
    }
    out += '"';
}

void appendText(std::string& out, const std::optional<std::string>& utf8)
{
    if (utf8)
        appendString(out, *utf8);
    else
        out += "null";
}

// `value` (0 or more) in exactly `width` digits.
void appendDigits(std::string& out, long long value, int width)
{
    char digits[20];
    for (int i = width - 1; i >= 0; --i, value /= 10)
        digits[i] = char('0' + value % 10);
    out.append(digits, width);
}

// ISO 8601 in UTC as QDateTime writes it ("Z", milliseconds only when there are some), by
// arithmetic for the years 1 to 9999.
void appendDate(std::string& out, Instant instant)
{
    constexpr long long dayMs = 86'400'000;
    const long long ms = millisecondsOf(instant);
    long long days = ms >= 0 ? ms / dayMs : -((-ms + dayMs - 1) / dayMs);
    const long long inDay = ms - days * dayMs;
    // Days to a proleptic Gregorian civil date (Howard Hinnant's algorithm).
    days += 719'468;
    const long long era = (days >= 0 ? days : days - 146'096) / 146'097;
    const long long dayOfEra = days - era * 146'097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
    const long long day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const long long month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const long long year = yearOfEra + era * 400 + (month <= 2);
    if (year < 1 || year > 9999) {
        appendString(out, QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(ms % 1000 == 0 ? Qt::ISODate : Qt::ISODateWithMs).toStdString());
        return;
    }
    const long long seconds = inDay / 1000;
    out += '"';
    appendDigits(out, year, 4);
    out += '-';
    appendDigits(out, month, 2);
    out += '-';
    appendDigits(out, day, 2);
    out += 'T';
    appendDigits(out, seconds / 3600, 2);
    out += ':';
    appendDigits(out, seconds / 60 % 60, 2);
    out += ':';
    appendDigits(out, seconds % 60, 2);
    if (inDay % 1000 != 0) {
        out += '.';
        appendDigits(out, inDay % 1000, 3);
    }
    out += "Z\"";
}

class EntryWriter {
public:
    void appendLine(std::string& out, const BalanceEntryEntity& entity)
    {
        QString text = QString::fromStdString(entity.id.toString()) + QLatin1Char('\t')
            + TerminalText::escaped(QString::fromStdString(title(entity)));
        if (entity.note)
            text += QLatin1Char('\t') + TerminalText::escaped(*entity.note);
        out += (text + QLatin1Char('\n')).toStdString();
    }

    void appendJson(std::string& out, const BalanceEntryEntity& entity)
    {
        const std::optional<std::string> note = entity.note ? std::optional(entity.note->toStdString()) : std::nullopt;
        out += "    {\n        \"adjustment\": ";
        appendNumber(out, entity.adjustment);
        out += ",\n        \"balance\": ";
        appendNumber(out, entity.balance);
        out += ",\n        \"date\": ";
        appendDate(out, entity.date);
        out += ",\n        \"id\": \"";
        const std::size_t idAt = out.size();
        out.resize(idAt + Uuid::textLength);
        entity.id.writeText(out.data() + idAt);
        out += "\",\n        \"note\": ";
        appendText(out, note);
        out += ",\n        \"subtitle\": ";
        appendText(out, note);
        out += ",\n        \"title\": ";
        appendString(out, title(entity));
        out += ",\n        \"transfers\": ";
        appendNumber(out, entity.transfers);
        out += "\n    }";
    }

private:
    const std::string& title(const BalanceEntryEntity& entity)
    {
        title_.clear();
        BalanceEntryEntity::appendTitle(title_, dayTexts_(entity.date), entity.balance);
        return title_;
    }

    DayTexts dayTexts_;
    std::string title_; // reused: no allocation per entry
};

} // namespace

namespace EntryListing {

QByteArray line(const BalanceEntryEntity& entity)
{
    std::string out;
    EntryWriter().appendLine(out, entity);
    return QByteArray::fromStdString(out);
}

QByteArray jsonElement(const BalanceEntryEntity& entity)
{
    std::string out;
    EntryWriter().appendJson(out, entity);
    return QByteArray::fromStdString(out);
}

int print(const QString& storePath, const StoredEntrySelection& selection, bool json)
{
    BlockWriter out;
    EntryWriter writer;
    bool first = true;
    if (json)
        out.buffer() += "[\n";
    auto read = readStoredEntries(storePath, selection, [&](const BalanceEntry::Values& values) {
        const BalanceEntryEntity entity = BalanceEntryEntity::from(values);
        if (!json)
            writer.appendLine(out.buffer(), entity);
        else {
            if (!first)
                out.buffer() += ",\n";
            writer.appendJson(out.buffer(), entity);
        }
        first = false;
        out.flushWhenFull();
        return !out.failed();
    });
    if (json)
        out.buffer() += first ? "]\n" : "\n]\n";
    if (!read)
        return ConsoleOutput::failure(Words::tr("corvanta entries: ") + read.error().message);
    if (!out.flush())
        return ConsoleOutput::failure(Words::tr("corvanta entries: standard output could not be written"));
    return 0;
}

} // namespace EntryListing
