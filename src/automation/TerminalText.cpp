#include "automation/TerminalText.h"

namespace {
bool needsEscape(char16_t c)
{
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x2028 || c == 0x2029 || (c >= 0x202a && c <= 0x202e)
        || (c >= 0x2066 && c <= 0x2069);
}

QString escape(char16_t c)
{
    switch (c) {
    case u'\n': return QStringLiteral("\\n");
    case u'\t': return QStringLiteral("\\t");
    case u'\r': return QStringLiteral("\\r");
    default: break;
    }
    if (c < 0x80)
        return QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
    return QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
}
} // namespace

namespace TerminalText {

QString escaped(const QString& text)
{
    qsizetype first = 0;
    while (first < text.size() && !needsEscape(text[first].unicode()))
        ++first;
    if (first == text.size())
        return text;
    QString result = text.left(first);
    for (qsizetype i = first; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (needsEscape(c))
            result += escape(c);
        else
            result += QChar(c);
    }
    return result;
}

QString quoted(const QString& text) { return QLatin1Char('\'') + escaped(text) + QLatin1Char('\''); }

} // namespace TerminalText
