#include "model/UndoManager.h"

#include "model/ObjectContext.h"

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

bool UndoManager::canUndo() const { return !undoStack_.empty(); }

bool UndoManager::canRedo() const { return !redoStack_.empty(); }

QString UndoManager::undoName() const { return undoStack_.empty() ? QString() : undoStack_.back().name; }

QString UndoManager::redoName() const { return redoStack_.empty() ? QString() : redoStack_.back().name; }

Result<void> UndoManager::undo() { return replay(undoStack_, redoStack_, false); }

Result<void> UndoManager::redo() { return replay(redoStack_, undoStack_, true); }

Result<void> UndoManager::replay(std::deque<Step>& from, std::deque<Step>& to, bool forward)
{
    if (from.empty())
        return {};
    Step step = std::move(from.back());
    from.pop_back();
    if (step.context) {
        if (auto saved = step.context->saveReplay(step.change, forward); !saved) {
            from.push_back(std::move(step));
            return saved;
        }
        keep(to, std::move(step));
    }
    Q_EMIT stateChanged();
    return {};
}

void UndoManager::push(const QString& name, ObjectContext& context, RecordedChange change)
{
    if (change.isEmpty())
        return;
    redoStack_.clear(); // a new change makes the undone ones unreachable
    keep(undoStack_, {name, &context, std::move(change)});
    Q_EMIT stateChanged();
}

void UndoManager::removeAllActions()
{
    undoStack_.clear();
    redoStack_.clear();
    Q_EMIT stateChanged();
}

void UndoManager::keep(std::deque<Step>& stack, Step step)
{
    stack.push_back(std::move(step));
    if (levels_ > 0 && static_cast<int>(stack.size()) > levels_)
        stack.pop_front();
}
