#include "model/UndoManager.h"

#include <utility>

UndoManager::UndoManager(QObject* parent) : QObject(parent) {}

UndoManager::~UndoManager() = default;

void UndoManager::setLevelsOfUndo(int levels)
{
    levels_ = levels < 0 ? 0 : levels;
    while (levels_ > 0 && static_cast<int>(undoStack_.size()) > levels_)
        undoStack_.pop_front();
    Q_EMIT stateChanged();
}

int UndoManager::levelsOfUndo() const { return levels_; }

bool UndoManager::canUndo() const { return !undoStack_.empty() || !openGroup_.empty(); }

bool UndoManager::canRedo() const { return !redoStack_.empty(); }

void UndoManager::undo()
{
    explicitDepth_ = 0;
    closeOpenGroup();
    replay(undoStack_, redoStack_, Replay::Undoing);
}

void UndoManager::redo()
{
    explicitDepth_ = 0;
    closeOpenGroup();
    replay(redoStack_, undoStack_, Replay::Redoing);
}

void UndoManager::replay(std::deque<Group>& from, std::deque<Group>& to, Replay mode)
{
    if (from.empty())
        return;
    Group steps = std::move(from.back());
    from.pop_back();
    replaying_ = mode;
    for (auto step = steps.rbegin(); step != steps.rend(); ++step)
        (*step)();
    replaying_ = Replay::None;
    ++stepSerial_;
    if (!replayGroup_.empty())
        push(to, std::exchange(replayGroup_, {}));
    Q_EMIT stateChanged();
}

void UndoManager::beginGroup()
{
    if (explicitDepth_ == 0) {
        closeOpenGroup(); // the implicit group of the current pass ends here
        groupOpen_ = true;
    }
    ++explicitDepth_;
}

void UndoManager::endGroup()
{
    if (explicitDepth_ == 0)
        return;
    if (--explicitDepth_ == 0)
        closeOpenGroup();
}

void UndoManager::closeOpenGroup()
{
    closeScheduled_ = false;
    if (explicitDepth_ > 0)
        return; // an explicit group ends with its endGroup()
    groupOpen_ = false;
    if (openGroup_.empty())
        return;
    ++stepSerial_;
    push(undoStack_, std::exchange(openGroup_, {}));
    Q_EMIT stateChanged();
}

void UndoManager::registerUndo(std::function<void()> inverse)
{
    ++stepSerial_;
    if (replaying_ != Replay::None) {
        replayGroup_.push_back(std::move(inverse));
        return;
    }
    if (!groupOpen_) {
        groupOpen_ = true;
        if (!closeScheduled_) {
            // The group of one user action ends when control returns to the event loop.
            closeScheduled_ = true;
            QMetaObject::invokeMethod(this, &UndoManager::closeOpenGroup, Qt::QueuedConnection);
        }
    }
    const bool wasUndoable = canUndo();
    openGroup_.push_back(std::move(inverse));
    if (!redoStack_.empty()) {
        redoStack_.clear(); // a new change makes the undone ones unreachable
        Q_EMIT stateChanged();
    } else if (!wasUndoable) {
        Q_EMIT stateChanged();
    }
}

bool UndoManager::removeLastStep(unsigned long long serial)
{
    Group& group = replaying_ != Replay::None ? replayGroup_ : openGroup_;
    if (serial != stepSerial_ || group.empty())
        return false;
    ++stepSerial_;
    group.pop_back();
    if (!canUndo())
        Q_EMIT stateChanged();
    return true;
}

void UndoManager::removeAllActions()
{
    ++stepSerial_;
    undoStack_.clear();
    redoStack_.clear();
    openGroup_.clear();
    replayGroup_.clear();
    groupOpen_ = explicitDepth_ > 0;
    Q_EMIT stateChanged();
}

void UndoManager::push(std::deque<Group>& stack, Group group)
{
    stack.push_back(std::move(group));
    if (levels_ > 0 && static_cast<int>(stack.size()) > levels_)
        stack.pop_front();
}
