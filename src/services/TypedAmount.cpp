#include "services/TypedInput.h"

#include <QCoreApplication>

#include <unicode/dcfmtsym.h>
#include <unicode/locid.h>

#include <QByteArray>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <optional>

namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(TypedAmount)
};

bool isBlank(QChar c) { return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space; }
bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

QString qtext(const icu::UnicodeString& text) { return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length()); }

// How the locale writes numbers, as far as reading them needs.
struct Writing {
    QChar decimal = QLatin1Char('.');
    QChar grouping = QLatin1Char(',');
    QString minus = QStringLiteral("-");
    QString currency = QStringLiteral("$");
    QString percent = QStringLiteral("%");

    // Where the locale groups with a space, any space separator (typed space, no-break space,
    // narrow no-break space) will do.
    bool isGrouping(QChar c) const { return isBlank(grouping) ? c.category() == QChar::Separator_Space : c == grouping; }
};

Writing writingOf(const icu::Locale& locale)
{
    Writing writing;
    UErrorCode status = U_ZERO_ERROR;
    const icu::DecimalFormatSymbols symbols(locale, status);
    if (U_FAILURE(status))
        return writing;
    const auto symbol = [&](icu::DecimalFormatSymbols::ENumberFormatSymbol which) { return qtext(symbols.getSymbol(which)); };
    const QString decimal = symbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol);
    const QString grouping = symbol(icu::DecimalFormatSymbols::kGroupingSeparatorSymbol);
    if (decimal.size() == 1 && grouping.size() == 1 && decimal != grouping && !isDigit(decimal[0]) && !isDigit(grouping[0])) {
        writing.decimal = decimal[0];
        writing.grouping = grouping[0];
    }
    writing.minus = symbol(icu::DecimalFormatSymbols::kMinusSignSymbol);
    writing.currency = symbol(icu::DecimalFormatSymbols::kCurrencySymbol);
    writing.percent = symbol(icu::DecimalFormatSymbols::kPercentSymbol);
    return writing;
}

// The default locale's writing, built again only when the default changes (tests switch it).
const Writing& currentWriting()
{
    thread_local icu::Locale locale;
    thread_local std::optional<Writing> writing;
    if (!writing || locale != icu::Locale::getDefault()) {
        locale = icu::Locale::getDefault();
        writing = writingOf(locale);
    }
    return *writing;
}

// A number in C syntax: `digits` holds digits and at most one "."; the value is
// digits × 10^exponent.
struct Decimal {
    QByteArray digits;
    long exponent = 0;

    bool hasDigit() const { return digits.size() > digits.count('.'); }
};

constexpr long exponentLimit = 100000; // far past any double; keeps the sum from overflowing

// "1234.5", ".5", "5.", "1e3", "-2.5E-3" without the sign: "." as the decimal point, no grouping.
std::optional<Decimal> pointReading(QStringView body)
{
    Decimal number;
    qsizetype i = 0;
    bool point = false;
    for (; i < body.size(); ++i) {
        if (isDigit(body[i]))
            number.digits += char(body[i].unicode());
        else if (body[i] == QLatin1Char('.') && !point)
            number.digits += '.', point = true;
        else
            break;
    }
    if (!number.hasDigit())
        return std::nullopt;
    if (i < body.size() && (body[i] == QLatin1Char('e') || body[i] == QLatin1Char('E'))) {
        ++i;
        const bool negative = i < body.size() && body[i] == QLatin1Char('-');
        if (i < body.size() && (body[i] == QLatin1Char('-') || body[i] == QLatin1Char('+')))
            ++i;
        const qsizetype first = i;
        long exponent = 0;
        for (; i < body.size() && isDigit(body[i]); ++i)
            exponent = std::min(exponentLimit, exponent * 10 + body[i].digitValue());
        if (i == first)
            return std::nullopt;
        number.exponent = negative ? -exponent : exponent;
    }
    if (i != body.size())
        return std::nullopt;
    return number;
}

// "1,234.56" (en), "1.234,56" (de), "1 234,56" (fr): the locale's decimal separator, and its
// grouping in threes with a first group of one to three digits that does not start with 0.
std::optional<Decimal> groupedReading(QStringView body, const Writing& writing)
{
    Decimal number;
    qsizetype i = 0;
    int groupDigits = 0;
    bool grouped = false;
    for (; i < body.size(); ++i) {
        const QChar c = body[i];
        if (isDigit(c)) {
            number.digits += char(c.unicode());
            ++groupDigits;
        } else if (writing.isGrouping(c)) {
            const bool firstGroupFits = groupDigits >= 1 && groupDigits <= 3 && number.digits.front() != '0';
            if (grouped ? groupDigits != 3 : !firstGroupFits)
                return std::nullopt;
            grouped = true;
            groupDigits = 0;
        } else {
            break;
        }
    }
    if (grouped && groupDigits != 3)
        return std::nullopt;
    if (i < body.size() && body[i] == writing.decimal) {
        number.digits += '.';
        for (++i; i < body.size() && isDigit(body[i]); ++i)
            number.digits += char(body[i].unicode());
    }
    if (i != body.size() || !number.hasDigit())
        return std::nullopt;
    return number;
}

double valueOf(const Decimal& number, bool negative)
{
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
    const QByteArray text = (negative ? "-" : "") + number.digits + 'e' + QByteArray::number(qlonglong(number.exponent));
    return strtod_l(text.constData(), nullptr, cLocale) + 0.0; // + 0.0: "-0" is 0
}

Error refusal(const QString& message) { return Error{message, {}}; }

QString trimmed(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin).toString();
}

// Takes `prefix` off the front of `text` (and the blanks after it) when it is there.
bool takeFront(QString& text, QStringView prefix)
{
    if (prefix.isEmpty() || !text.startsWith(prefix))
        return false;
    text = trimmed(QStringView(text).mid(prefix.size()));
    return true;
}

bool takeBack(QString& text, QStringView suffix)
{
    if (suffix.isEmpty() || !text.endsWith(suffix))
        return false;
    text = trimmed(QStringView(text).chopped(suffix.size()));
    return true;
}

enum class Kind { Money, Fraction };

// The number of `text` with its signs, currency, parentheses and, for a fraction, per cent sign.
Result<double> read(const QString& text, Kind kind)
{
    const Writing& writing = currentWriting();
    QString body = trimmed(text);
    long shift = 0;
    if (kind == Kind::Fraction) {
        for (const QString& percent : {QStringLiteral("%"), QStringLiteral("\uFF05"), writing.percent})
            if (takeBack(body, percent)) {
                shift = -2;
                break;
            }
    }
    const QStringList currencies = kind == Kind::Money ? QStringList{QStringLiteral("$"), writing.currency} : QStringList{};
    const QString minusSigns[] = {QStringLiteral("-"), QStringLiteral("\u2212"), writing.minus};
    bool negative = false, signed_ = false, currency = false, parenthesised = false;
    for (bool took = true; took;) {
        took = false;
        for (const QString& symbol : currencies)
            if (!currency && takeFront(body, symbol))
                took = currency = true;
        for (const QString& minus : minusSigns)
            if (!signed_ && takeFront(body, minus))
                took = signed_ = negative = true;
        if (!signed_ && takeFront(body, u"+"))
            took = signed_ = true;
        if (!parenthesised && body.endsWith(QLatin1Char(')')) && takeFront(body, u"("))
            took = parenthesised = true;
    }
    if (parenthesised && (signed_ || !takeBack(body, u")")))
        return refusal(TypedInput::amountExample());
    for (const QString& symbol : currencies)
        if (!currency && takeBack(body, symbol))
            currency = true;
    negative = negative || parenthesised;

    const std::optional<Decimal> point = pointReading(body);
    const std::optional<Decimal> grouped = groupedReading(body, writing);
    if (!point && !grouped)
        return refusal(TypedInput::amountExample());
    Decimal number = point ? *point : *grouped;
    if (point && grouped && valueOf(*point, false) != valueOf(*grouped, false)) {
        QString asDecimal = QString::fromLatin1(point->digits);
        asDecimal.replace(QLatin1Char('.'), writing.decimal);
        return refusal(Words::tr("%1 is ambiguous: write %2 or %3").arg(body, QString::fromLatin1(grouped->digits), asDecimal));
    }
    number.exponent += shift;
    const double value = valueOf(number, negative);
    if (!std::isfinite(value))
        return refusal(Words::tr("The number is too large."));
    return value;
}

} // namespace

namespace TypedInput {

Result<double> amount(const QString& text) { return read(text, Kind::Money); }

Result<double> optionalAmount(const QString& text) { return isBlank(text) ? Result<double>(0.0) : amount(text); }

Result<double> fraction(const QString& text) { return isBlank(text) ? Result<double>(0.0) : read(text, Kind::Fraction); }

QString percentShown(double fraction) { return QStringLiteral("= %1 %").arg(QString::number(fraction * 100 + 0.0, 'g', 15)); }

bool isBlank(const QString& text) { return std::all_of(text.begin(), text.end(), ::isBlank); }

QString amountExample()
{
    const Writing& writing = currentWriting();
    return Words::tr("Enter a number such as -1000 or %1").arg(QStringLiteral("1") + writing.grouping + QStringLiteral("250") + writing.decimal + QStringLiteral("50"));
}

} // namespace TypedInput
