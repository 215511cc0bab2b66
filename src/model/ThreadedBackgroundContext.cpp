#include "model/ThreadedBackgroundContext.h"

#include <exception>

ThreadedBackgroundContext::ThreadedBackgroundContext(std::unique_ptr<ObjectContext> context)
    : context_(std::move(context))
{
    thread_.setObjectName(QStringLiteral("BackgroundContext"));
    context_->moveToThread(&thread_);
    thread_.start();
}

ThreadedBackgroundContext::~ThreadedBackgroundContext()
{
    thread_.quit();
    thread_.wait();
    // The thread is finished: nothing runs on the context any more, so it may go from here.
    context_.reset();
}

void ThreadedBackgroundContext::performAndWait(const std::function<void(ObjectContext&)>& work)
{
    if (QThread::currentThread() == &thread_) {
        work(*context_); // nested call from inside a block
        return;
    }
    std::exception_ptr failure;
    QMetaObject::invokeMethod(
        context_.get(),
        [&]() {
            try {
                work(*context_);
            } catch (...) {
                failure = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (failure)
        std::rethrow_exception(failure);
}

void ThreadedBackgroundContext::perform(std::function<void(ObjectContext&)> work)
{
    QMetaObject::invokeMethod(context_.get(), [context = context_.get(), work = std::move(work)]() { work(*context); }, Qt::QueuedConnection);
}
