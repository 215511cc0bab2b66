#pragma once

#include <QString>

// Tab-separated lines ("label<TAB>value ...") for a person or for a program: a pipe gets the
// tabs, a terminal aligned columns.
namespace TerminalTable {
// Each run of consecutive lines with tabs padded into columns: the first left-aligned, the
// others right-aligned, two spaces apart. Lines without a tab (titles, blank lines) are kept.
QString aligned(const QString& text);
// `text` aligned when standard output is a terminal, as it is otherwise.
QString forOutput(const QString& text);
} // namespace TerminalTable
