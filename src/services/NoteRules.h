#pragma once

#include <QString>

#include <optional>

// How long a note may be. Every entrance (form, editor, command line, D-Bus, CSV import)
// refuses a longer one through these, so that no view ever has to lay out megabytes of text.
namespace NoteRules {

// The longest note stored, in UTF-8 bytes (1 MiB).
inline constexpr qsizetype maxNoteBytes = qsizetype(1) << 20;

// The note's length in UTF-8 bytes.
qsizetype utf8Bytes(const QString& note);

// Why `note` cannot be stored ("The note is too long: ... bytes, at most 1 MiB."), or nothing
// when it can. No note is always fine.
std::optional<QString> refusal(const std::optional<QString>& note);

} // namespace NoteRules
