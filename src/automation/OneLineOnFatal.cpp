#include "automation/OneLineOnFatal.h"

#include "automation/ConsoleOutput.h"

#include <cstdlib>

namespace {
QString& fatalLine()
{
    static QString line;
    return line;
}

void printLineOnFatal(QtMsgType type, const QMessageLogContext&, const QString&)
{
    if (type != QtFatalMsg)
        return; // the platform plugin's warnings before the end
    ConsoleOutput::failure(fatalLine());
    std::_Exit(1);
}
} // namespace

OneLineOnFatal::OneLineOnFatal(QString line)
{
    fatalLine() = std::move(line);
    previous_ = qInstallMessageHandler(printLineOnFatal);
}

OneLineOnFatal::~OneLineOnFatal() { qInstallMessageHandler(previous_); }
