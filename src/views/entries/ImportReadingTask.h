#pragma once

#include "csv/CSVAlerts.h"
#include "services/CsvActions.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

// Reads a CSV file into an import preview on a thread of its own, so that the window keeps
// painting. Only plain values cross: the file's path or bytes go in, and the stored entries'
// values are read there too (through `stored`, called on that thread); the preview comes out
// (on the main thread, through finished()). Dropping the task cancels the reading and waits
// for its thread, which stops within a few thousand rows.
class ImportReadingTask : public QObject {
    Q_OBJECT
public:
    using StoredValues = std::shared_ptr<const std::vector<BalanceEntry::Values>>;
    // Gives the values of the entries stored now; called once, on the reading's thread.
    using StoredSource = std::function<Result<StoredValues>()>;
    using Bytes = std::shared_ptr<const QByteArray>;

    // What the reading gave: the file's bytes (for reading them again with other options) and
    // the preview, or the alert that says why the file could not be read.
    struct Outcome {
        Bytes bytes;
        StoredValues stored; // (for reading again without asking the store)
        std::optional<CsvActions::ImportPreview> preview;
        CSVPorter::Alert failure;
    };

    // Will read the file at `path`, then the preview.
    ImportReadingTask(QString path, StoredSource stored, CSVPorter::ReadOptions options, QObject* parent = nullptr);
    // Will read bytes already read.
    ImportReadingTask(Bytes bytes, StoredSource stored, CSVPorter::ReadOptions options, QObject* parent = nullptr);
    ~ImportReadingTask() override;

    // Starts the reading (once: connect to the signals first).
    void start();
    // Stops the reading: finished() is not emitted.
    void cancel();

Q_SIGNALS:
    // The share of the file read so far, 0 to 1.
    void progressed(double share);
    void finished(const std::shared_ptr<const ImportReadingTask::Outcome>& outcome);

private:
    std::optional<QString> path_;
    Bytes bytes_;
    StoredSource stored_;
    CSVPorter::ReadOptions options_;

    std::atomic<bool> cancelled_{false};
    std::thread thread_;
};
