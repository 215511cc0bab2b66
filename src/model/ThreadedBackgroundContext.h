#pragma once

#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"

#include <QThread>

#include <memory>

// A background context on a thread of its own; performAndWait blocks the caller while the work
// runs there, perform does not. Must not outlive the container that made it.
class ThreadedBackgroundContext final : public BackgroundContext {
public:
    explicit ThreadedBackgroundContext(std::unique_ptr<ObjectContext> context);
    ~ThreadedBackgroundContext() override;

    void performAndWait(const std::function<void(ObjectContext&)>& work) override;
    void perform(std::function<void(ObjectContext&)> work) override;

private:
    QThread thread_;
    std::unique_ptr<ObjectContext> context_;
};
