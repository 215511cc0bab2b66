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

// `text` with every line longer than `width` broken at spaces; a continuation starts under
// the line's second column (what follows its first run of two or more spaces), or four
// columns in when it has none, so option tables stay tables.
QString wrapped(const QString& text, int width);
// The columns of the terminal standard output goes to; 80 when it is not a terminal.
int outputWidth();
} // namespace TerminalText
