#include "services/NoteRules.h"

#include <QCoreApplication>

namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(NoteRules)
};
} // namespace

namespace NoteRules {

qsizetype utf8Bytes(const QString& note)
{
    qsizetype bytes = 0;
    for (const QChar c : note) {
        const char16_t unit = c.unicode();
        // A surrogate pair is four bytes, two for each half.
        bytes += unit < 0x80 ? 1 : unit < 0x800 || QChar::isSurrogate(unit) ? 2 : 3;
    }
    return bytes;
}

std::optional<QString> refusal(const std::optional<QString>& note)
{
    if (!note)
        return std::nullopt;
    // Every UTF-16 unit is one to three bytes: most notes need no count.
    if (note->size() * 3 <= maxNoteBytes)
        return std::nullopt;
    const qsizetype bytes = utf8Bytes(*note);
    if (bytes <= maxNoteBytes)
        return std::nullopt;
    return Words::tr("The note is too long: %1 bytes, at most 1 MiB (%2 bytes).").arg(bytes).arg(maxNoteBytes);
}

} // namespace NoteRules
