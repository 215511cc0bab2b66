// Taking in rows another context committed as the objects it made of them, in slices of an
// event-loop pass, so that a million imported rows never hold the window.
#include "model/ObjectContext.h"

#include "model/ObjectContextPrivate.h"
#include "model/ReleaseOffThread.h"

#include <QDeadlineTimer>
#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace {
constexpr std::size_t attachedPerCheck = 4096;
} // namespace

ObjectContext::MergeHold ObjectContext::holdMerges()
{
    d_->entries.holdMerges();
    return MergeHold(this, [context = QPointer<ObjectContext>(this)](void*) {
        if (!context)
            return;
        context->d_->entries.releaseMerges();
        context->d_->dataVersion = -1; // what waited is merged now, commit or not
        context->scheduleRefreshFromStore();
    });
}

void ObjectContext::addAdoptionListener(AdoptionListener* listener) { d_->adoptionListeners.push_back(listener); }

void ObjectContext::removeAdoptionListener(AdoptionListener* listener) { std::erase(d_->adoptionListeners, listener); }

void ObjectContext::adoptCommitted(std::shared_ptr<CommittedEntries> entries, MergeHold hold, std::function<void(double)> progressed,
                                   std::function<void()> done)
{
    if (d_->adoption || d_->bulkReplay || entries->byRowId.empty() || !d_->entries.canAdopt(entries->rowIds.front())) {
        hold.reset();
        processPendingChanges(); // read from the store
        done();
        return;
    }
    startAdoption(std::move(entries), std::move(hold), std::move(progressed), std::move(done));
}

void ObjectContext::startAdoption(std::shared_ptr<CommittedEntries> entries, MergeHold hold, std::function<void(double)> progressed,
                                  std::function<void()> done)
{
    auto adoption = std::make_unique<Adoption>();
    adoption->byDate = AdoptionListener::Adopted(entries, &entries->byDate);
    adoption->entries = std::move(entries);
    adoption->hold = std::move(hold);
    adoption->progressed = std::move(progressed);
    adoption->done = std::move(done);
    d_->adoption = std::move(adoption);
    onNextPass(this, &ObjectContext::continueAdoption);
}

void ObjectContext::continueAdoption()
{
    if (!d_->adoption)
        return;
    Adoption& adoption = *d_->adoption;
    if (adoption.ready) {
        finishAdoption();
        return;
    }
    const QDeadlineTimer deadline(passMilliseconds);
    CommittedEntries& entries = *adoption.entries;
    const std::size_t total = entries.byRowId.size();
    if (adoption.attached == 0)
        d_->entries.reserveAdopted(total); // the last pass only moves them in
    while (adoption.attached < total && !deadline.hasExpired()) {
        const std::size_t end = std::min(total, adoption.attached + attachedPerCheck);
        for (; adoption.attached < end; ++adoption.attached)
            d_->entries.attachAdopted(*entries.byRowId[adoption.attached], entries.rowIds[adoption.attached]);
    }
    std::size_t prepared = 0;
    const auto listeners = d_->adoptionListeners;
    if (adoption.attached == total)
        for (AdoptionListener* listener : listeners)
            prepared += listener->prepareAdoption(adoption.byDate, deadline) ? 1 : 0;
    adoption.ready = adoption.attached == total && prepared == listeners.size();
    if (adoption.progressed)
        adoption.progressed((double(adoption.attached) / double(total) + double(prepared) / double(std::max<std::size_t>(listeners.size(), 1))) / 2);
    onNextPass(this, &ObjectContext::continueAdoption);
}

// In one pass: the registry takes the objects in, the lists show them, one change set names them.
void ObjectContext::finishAdoption()
{
    flushChangeNotification(); // other changes first: a list they reach prepares again
    Adoption& adoption = *d_->adoption;
    const auto listeners = d_->adoptionListeners;
    const QDeadlineTimer none(0);
    for (AdoptionListener* listener : listeners) {
        if (!listener->prepareAdoption(adoption.byDate, none)) {
            adoption.ready = false;
            onNextPass(this, &ObjectContext::continueAdoption);
            return;
        }
    }
    d_->entries.adopt(std::move(adoption.entries->byRowId));
    std::unique_ptr<Adoption> finished = std::move(d_->adoption);
    // The merge the hold kept back comes on a later pass, after a paint.
    QTimer::singleShot(1, this, [hold = std::move(finished->hold)] {});
    for (AdoptionListener* listener : listeners)
        listener->finishAdoption();
    {
        ChangeSet changes;
        changes.entries.adopted = finished->byDate;
        Q_EMIT objectsDidChange(changes);
    }
    if (finished->done)
        finished->done();
    releaseOffThread(std::shared_ptr<Adoption>(finished.release())); // a reference to each adopted object
}
