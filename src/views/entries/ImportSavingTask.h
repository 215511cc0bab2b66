#pragma once

#include "services/CsvActions.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class BackgroundContext;

// Stores a previewed import in a background context (see CsvActions::storeInBackground), so
// that the window keeps painting. Only plain values cross: the preview goes in, the stored
// rows come out, on the main thread, through `finished`; the background context's thread ends
// with the work (a task stores once). Dropping the task cancels the import and waits for its
// thread, without a report.
class ImportSavingTask : public QObject {
    Q_OBJECT
public:
    using Preview = std::shared_ptr<const CsvActions::ImportPreview>;
    struct Reports {
        // The share of the rows stored so far, 0 to 1.
        std::function<void(double share)> progressed;
        // The save is over: what it stored, or nothing when it was cancelled in time.
        std::function<void(const std::optional<Result<CsvActions::StoredRows>>& stored)> finished;
    };

    ImportSavingTask(std::unique_ptr<BackgroundContext> background, Preview preview, bool skipAlreadyStored, Reports reports,
                     QObject* parent = nullptr);
    ~ImportSavingTask() override;

    // Asks the import to stop: unless it was already committing, it writes nothing, and
    // `finished` reports nothing stored.
    void cancel();

private:
    void start();

    Preview preview_;
    bool skipAlreadyStored_;
    Reports reports_;
    std::atomic<bool> cancelled_{false};
    bool over_ = false; // the work has reported: nothing of it refers to this task any more
    std::unique_ptr<BackgroundContext> background_;
};
