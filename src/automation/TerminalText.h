#pragma once

#include <QString>

// Text from outside (notes, labels, arguments) made safe to print as part of one line: control
// characters become visible escapes, so nothing can start a line, move the cursor or recolour
// the terminal. "\n", "\t", "\r" keep their usual spelling; other C0 characters and DEL are
// "\xHH", C1 controls and the line, paragraph and bidirectional controls "\uHHHH". Everything
// else, backslashes included, is kept as typed.
namespace TerminalText {
QString escaped(const QString& text);
// 'text', escaped: how messages name an argument.
QString quoted(const QString& text);
} // namespace TerminalText
