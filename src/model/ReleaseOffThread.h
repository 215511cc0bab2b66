#pragma once

#include <QThreadPool>

#include <memory>
#include <utility>

// Lets go of `owned` on a worker thread: letting go of a million shared objects (each reference
// counted down, the last ones freed) takes tens of milliseconds the UI thread must not spend.
// What is freed there must be of no context, or no longer reachable from any other thread.
template <class T>
void releaseOffThread(T&& owned)
{
    auto held = std::make_shared<std::decay_t<T>>(std::forward<T>(owned));
    QThreadPool::globalInstance()->start([held = std::move(held)]() mutable { held.reset(); });
}
