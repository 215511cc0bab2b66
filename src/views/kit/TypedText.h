#pragma once

#include <QString>

class QTextDocument;

// The text of a multi-line field exactly as typed: its lines (blocks) joined by LF. Unlike
// toPlainText(), no-break spaces and line separators (Shift+Return) stay what they are.
QString typedText(const QTextDocument& document);
