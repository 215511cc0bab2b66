#include "views/entries/ImportSavingTask.h"

#include "model/PersistentContainer.h"
#include "model/ReleaseOffThread.h"

#include <QThread>

ImportSavingTask::ImportSavingTask(std::unique_ptr<BackgroundContext> background, Preview preview, bool skipAlreadyStored, Reports reports,
                                   QObject* parent)
    : QObject(parent), preview_(std::move(preview)), skipAlreadyStored_(skipAlreadyStored), reports_(std::move(reports)),
      background_(std::move(background))
{
    start();
}

ImportSavingTask::~ImportSavingTask()
{
    cancel();
    releaseOffThread(std::move(preview_)); // a million rows take a while to free
    if (over_)
        releaseOffThread(std::move(background_)); // its thread may still be freeing the context's objects
    else
        background_.reset(); // waits for the save to stop
}

void ImportSavingTask::cancel() { cancelled_ = true; }

void ImportSavingTask::start()
{
    // Reports reach the main thread queued: one posted after this task went is dropped with it
    // (and the task outlives the work, see the destructor). The progress is posted at most
    // once per hundredth.
    background_->perform([this, preview = preview_, skip = skipAlreadyStored_](ObjectContext& context) {
        int shownHundredths = -1;
        const auto progress = [&](double share) {
            if (const int hundredths = int(share * 100); hundredths != shownHundredths) {
                shownHundredths = hundredths;
                QMetaObject::invokeMethod(this, [this, share] { reports_.progressed(share); }, Qt::QueuedConnection);
            }
            return !cancelled_;
        };
        auto stored = CsvActions::storeInBackground(context, *preview, skip, progress);
        QMetaObject::invokeMethod(
            this,
            [this, stored = std::move(stored)] {
                over_ = true;
                reports_.finished(stored);
            },
            Qt::QueuedConnection);
        // The context's work is over: its thread ends and frees the million objects it holds
        // there, rather than in the destructor's wait on the main thread.
        QThread::currentThread()->quit();
    });
}
