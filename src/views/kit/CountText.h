#pragma once

#include <QLocale>
#include <QString>

// "1 entry", "61 entries", "1,024 entries": a count with its noun, for status messages.
inline QString entriesText(qint64 count)
{
    const QString number = QLocale().toString(count);
    return count == 1 ? QStringLiteral("%1 entry").arg(number) : QStringLiteral("%1 entries").arg(number);
}
