#include "model/ThreadedBackgroundContext.h"

#include <exception>

ThreadedBackgroundContext::ThreadedBackgroundContext(std::unique_ptr<ObjectContext> context)
    : context_(std::move(context))
{
    thread_.setObjectName(QStringLiteral("BackgroundContext"));
    context_->moveToThread(&thread_);
    // The context goes on its own thread as it ends: a context that holds a million objects
    // takes a while to free, which must not hold the thread that drops it.
    QObject::connect(&thread_, &QThread::finished, [this] { context_.reset(); });
    thread_.start();
}

ThreadedBackgroundContext::~ThreadedBackgroundContext()
{
    thread_.quit();
    thread_.wait();
    context_.reset(); // (gone with the thread already, unless it never ran)
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
