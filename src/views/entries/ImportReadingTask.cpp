#include "views/entries/ImportReadingTask.h"

#include "csv/FileAccess.h"

ImportReadingTask::ImportReadingTask(QString path, StoredSource stored, CSVPorter::ReadOptions options, QObject* parent)
    : QObject(parent), path_(std::move(path)), stored_(std::move(stored)), options_(options)
{
}

ImportReadingTask::ImportReadingTask(Bytes bytes, StoredSource stored, CSVPorter::ReadOptions options, QObject* parent)
    : QObject(parent), bytes_(std::move(bytes)), stored_(std::move(stored)), options_(options)
{
}

ImportReadingTask::~ImportReadingTask()
{
    cancel();
    if (thread_.joinable())
        thread_.join();
}

void ImportReadingTask::cancel() { cancelled_ = true; }

void ImportReadingTask::start()
{
    if (thread_.joinable())
        return;
    // Signals emitted on the worker reach the main thread's receivers queued; the destructor
    // joins the worker before this object goes, and Qt drops events posted to a deleted object.
    // The source stays a member: what it holds goes with this object, on the main thread.
    thread_ = std::thread([this, path = path_, bytes = bytes_, options = options_]() mutable {
        auto outcome = std::make_shared<Outcome>();
        std::optional<Error> failure;
        if (Result<StoredValues> stored = stored_(); !stored) {
            outcome->failure = CSVPorter::readFailureAlert(stored.error().message);
            if (!cancelled_)
                Q_EMIT finished(outcome);
            return;
        } else {
            outcome->stored = std::move(stored).value();
        }
        if (path) {
            Result<QByteArray> read = CSVPorter::readFile(*path);
            if (read)
                bytes = std::make_shared<const QByteArray>(std::move(read).value());
            else
                failure = read.error();
        }
        outcome->bytes = bytes;
        const Result<std::string_view> text = bytes ? CsvActions::importText(*bytes, path.value_or(QString())) : Result<std::string_view>(*failure);
        if (!text) {
            outcome->failure = CSVPorter::readFailureAlert(text.error().message);
        } else {
            CsvActions::ImportPreview preview = CsvActions::previewImport(text.value(), *outcome->stored, options, [this](double share) {
                Q_EMIT progressed(share);
                return !cancelled_;
            });
            if (preview.reading.cancelled)
                return;
            outcome->preview = std::move(preview);
        }
        if (!cancelled_)
            Q_EMIT finished(outcome);
    });
}
