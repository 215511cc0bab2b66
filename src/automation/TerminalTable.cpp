#include "automation/TerminalTable.h"

#include <QStringList>

#include <unistd.h>

#include <vector>

namespace {
QString alignedRows(const std::vector<QStringList>& rows)
{
    std::vector<qsizetype> widths;
    for (const QStringList& cells : rows)
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (std::size_t(i) >= widths.size())
                widths.push_back(0);
            widths[std::size_t(i)] = std::max(widths[std::size_t(i)], cells[i].size());
        }
    QString text;
    for (const QStringList& cells : rows) {
        QString line;
        for (qsizetype i = 0; i < cells.size(); ++i) {
            const qsizetype width = widths[std::size_t(i)];
            line += i == 0 ? cells[i].leftJustified(width) : QStringLiteral("  ") + cells[i].rightJustified(width);
        }
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        text += line + QLatin1Char('\n');
    }
    return text;
}
} // namespace

namespace TerminalTable {

QString aligned(const QString& text)
{
    QString result;
    std::vector<QStringList> rows;
    QStringList lines = text.split(QLatin1Char('\n'));
    const bool endsWithBreak = text.endsWith(QLatin1Char('\n'));
    if (endsWithBreak)
        lines.removeLast();
    for (const QString& line : lines) {
        if (line.contains(QLatin1Char('\t'))) {
            rows.push_back(line.split(QLatin1Char('\t')));
            continue;
        }
        result += alignedRows(rows) + line + QLatin1Char('\n');
        rows.clear();
    }
    result += alignedRows(rows);
    if (!endsWithBreak && result.endsWith(QLatin1Char('\n')))
        result.chop(1);
    return result;
}

QString forOutput(const QString& text) { return isatty(STDOUT_FILENO) ? aligned(text) : text; }

} // namespace TerminalTable
