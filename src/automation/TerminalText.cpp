#include "automation/TerminalText.h"

#include <QStringList>

#include <algorithm>

#include <sys/ioctl.h>
#include <unistd.h>

namespace {
bool needsEscape(char16_t c)
{
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x2028 || c == 0x2029 || (c >= 0x202a && c <= 0x202e)
        || (c >= 0x2066 && c <= 0x2069);
}

qsizetype leadingSpaces(const QString& text);

qsizetype hangingIndent(const QString& line, int width)
{
    const qsizetype indent = leadingSpaces(line);
    const qsizetype gap = line.indexOf(QLatin1String("  "), indent);
    if (gap < 0)
        return indent + 4;
    const qsizetype column = gap + leadingSpaces(line.mid(gap));
    return column < width / 2 ? column : indent + 4;
}

qsizetype leadingSpaces(const QString& text)
{
    qsizetype count = 0;
    while (count < text.size() && text[count] == QLatin1Char(' '))
        ++count;
    return count;
}

QString wrappedLine(const QString& line, int width)
{
    if (line.size() <= width)
        return line;
    const QString continuation(hangingIndent(line, width), QLatin1Char(' '));
    QString out;
    QString rest = line;
    for (bool first = true;; first = false) {
        const QString prefix = first ? QString() : continuation;
        const qsizetype room = std::max<qsizetype>(width - prefix.size(), 1);
        if (rest.size() <= room)
            return out + prefix + rest;
        qsizetype cut = rest.lastIndexOf(QLatin1Char(' '), room);
        if (cut <= leadingSpaces(rest))
            cut = room; // a word longer than the line is broken where it must be
        QString piece = rest.left(cut);
        while (piece.endsWith(QLatin1Char(' ')))
            piece.chop(1);
        out += prefix + piece + QLatin1Char('\n');
        rest = rest.mid(cut);
        rest.remove(0, leadingSpaces(rest));
    }
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

QString wrapped(const QString& text, int width)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = wrappedLine(line, width);
    return lines.join(QLatin1Char('\n'));
}

int outputWidth()
{
    winsize size{};
    if (isatty(STDOUT_FILENO) && ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col >= 20)
        return size.ws_col;
    return 80;
}

} // namespace TerminalText
