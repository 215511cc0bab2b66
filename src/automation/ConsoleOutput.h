#pragma once

#include <QByteArray>
#include <QString>

// Writing to standard output and standard error as UTF-8, and the exit statuses that go with
// a message.
namespace ConsoleOutput {
void print(const QString& text);
// False when the bytes could not all be written (a closed pipe, a full disk).
bool write(const QByteArray& bytes);
void error(const QString& text);
// True once a write to standard output failed: the command then exits 1.
bool outputFailed();
// Prints the one-line message (a line break added) on standard error; returns 1.
int failure(const QString& message);
// Likewise; returns 2.
int usageError(const QString& message);
} // namespace ConsoleOutput
