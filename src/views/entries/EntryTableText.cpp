#include "views/entries/EntryTableText.h"

#include "views/entries/EntryTableModel.h"

#include <QDateTime>

namespace EntryTableText {
namespace {
QString cellText(const QAbstractItemModel& model, int row, int column)
{
    QString text = model.index(row, column).data(Qt::DisplayRole).toString();
    for (QChar& c : text)
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    return text;
}

QString digitsOf(const QString& text)
{
    QString digits;
    for (QChar c : text)
        if (c.isDigit())
            digits += c;
    return digits;
}

// "1234.5", "$-1,234": digits with the signs and separators an amount is typed with.
bool readsAsAmount(const QString& query)
{
    bool anyDigit = false;
    for (QChar c : query) {
        if (c.isDigit())
            anyDigit = true;
        else if (!QStringLiteral("$.,-+\u2212 \u00a0\u202f'").contains(c))
            return false;
    }
    return anyDigit;
}
} // namespace

QString tabSeparated(const QAbstractItemModel& model, const std::vector<int>& rows)
{
    const int columns = model.columnCount();
    QStringList lines;
    QStringList header;
    for (int column = 0; column < columns; ++column)
        header << model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    lines << header.join(QLatin1Char('\t'));
    for (int row : rows) {
        QStringList cells;
        for (int column = 0; column < columns; ++column)
            cells << cellText(model, row, column);
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

bool rowMatches(const QAbstractItemModel& model, int row, const QString& query)
{
    const QString wanted = query.trimmed();
    if (wanted.isEmpty())
        return true;
    const QString wantedDigits = readsAsAmount(wanted) ? digitsOf(wanted) : QString();
    for (int column = 0; column < model.columnCount(); ++column) {
        const QString text = cellText(model, row, column);
        if (text.contains(wanted, Qt::CaseInsensitive))
            return true;
        if (!wantedDigits.isEmpty() && column != EntryTableModel::DateColumn && digitsOf(text).contains(wantedDigits))
            return true;
    }
    const QVariant day = model.index(row, EntryTableModel::DateColumn).data(EntryTableModel::RawValueRole);
    return day.isValid()
        && QDateTime::fromMSecsSinceEpoch(day.toLongLong()).date().toString(Qt::ISODate).contains(wanted);
}

} // namespace EntryTableText
