#include "automation/ConsoleOutput.h"

#include <cstdio>

namespace {
bool outputFailure = false;

bool put(std::FILE* stream, const QByteArray& bytes)
{
    const std::size_t written = std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    return std::fflush(stream) == 0 && written == std::size_t(bytes.size());
}
} // namespace

namespace ConsoleOutput {
bool write(const QByteArray& bytes)
{
    const bool written = put(stdout, bytes);
    outputFailure = outputFailure || !written;
    return written;
}
void print(const QString& text) { write(text.toUtf8()); }
bool outputFailed() { return outputFailure; }
void error(const QString& text) { put(stderr, text.toUtf8()); }

int failure(const QString& message)
{
    error(message + QLatin1Char('\n'));
    return 1;
}

int usageError(const QString& message)
{
    error(message + QLatin1Char('\n'));
    return 2;
}
} // namespace ConsoleOutput
