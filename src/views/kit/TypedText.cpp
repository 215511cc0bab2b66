#include "views/kit/TypedText.h"

#include <QTextBlock>
#include <QTextDocument>

QString typedText(const QTextDocument& document)
{
    QString text;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            text += QLatin1Char('\n');
        text += block.text();
    }
    return text;
}
