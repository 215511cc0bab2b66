#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <string>

// The real `corvanta` binary run as another process would run it, on a store and settings of
// its own (a scratch XDG home), with the locale pinned and the zone chosen per run.
struct ProcessRun {
    int exitCode = -1;
    std::string output;
    std::string errors;
};

class CorvantaProcess {
public:
    CorvantaProcess()
    {
        for (const auto& [name, value] : {std::pair{"XDG_DATA_HOME", scratch(QStringLiteral("data"))},
                                          std::pair{"XDG_CONFIG_HOME", scratch(QStringLiteral("config"))},
                                          std::pair{"QT_QPA_PLATFORM", QStringLiteral("offscreen")}, std::pair{"LANG", QStringLiteral("en_US.UTF-8")},
                                          std::pair{"LC_ALL", QStringLiteral("en_US.UTF-8")}})
            environment_.insert(QString::fromUtf8(name), value);
    }

    QString storePath() const { return home_.filePath(QStringLiteral("data/Corvanta/Corvanta.sqlite")); }
    QString scratch(const QString& name) const { return home_.filePath(name); }
    // A file of the scratch home (its folder made as needed) holding `bytes`; its path.
    QString writeScratch(const QString& name, const QByteArray& bytes) const
    {
        QDir().mkpath(QFileInfo(scratch(name)).path());
        QFile file(scratch(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName() : QString();
    }
    const QProcessEnvironment& environment() const { return environment_; }
    QProcessEnvironment& environment() { return environment_; }

    // Standard input is closed, so nothing can be asked.
    ProcessRun run(const QStringList& arguments, const QString& zone = QStringLiteral("America/Toronto")) const
    {
        QProcess process;
        QProcessEnvironment environment = environment_;
        environment.insert(QStringLiteral("TZ"), zone);
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(CORVANTA_BINARY), arguments);
        process.closeWriteChannel();
        // This process's own bus objects and window answer meanwhile.
        EXPECT_TRUE(QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 60000)) << "still running";
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
    }

    ProcessRun run(std::initializer_list<const char*> words, const QString& zone = QStringLiteral("America/Toronto")) const
    {
        QStringList arguments;
        for (const char* word : words)
            arguments << QString::fromUtf8(word);
        return run(arguments, zone);
    }

private:
    QTemporaryDir home_;
    QProcessEnvironment environment_ = QProcessEnvironment::systemEnvironment();
};
