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

bool UndoManager::canUndo() const { return !undoStack_.empty() && !busy_; }

bool UndoManager::canRedo() const { return !redoStack_.empty() && !busy_; }

QString UndoManager::undoName() const { return undoStack_.empty() ? QString() : undoStack_.back().name; }

QString UndoManager::redoName() const { return redoStack_.empty() ? QString() : redoStack_.back().name; }

Result<void> UndoManager::undo() { return replay(undoStack_, redoStack_, false); }

Result<void> UndoManager::redo() { return replay(redoStack_, undoStack_, true); }

void UndoManager::undoInSteps(Progress progressed, Finished finished)
{
    replayInSteps(undoStack_, redoStack_, false, std::move(progressed), std::move(finished));
}

void UndoManager::redoInSteps(Progress progressed, Finished finished)
{
    replayInSteps(redoStack_, undoStack_, true, std::move(progressed), std::move(finished));
}

void UndoManager::replayInSteps(std::deque<Step>& from, std::deque<Step>& to, bool forward, Progress progressed, Finished finished)
{
    if (from.empty() || busy_ || !from.back().context) {
        finished(replay(from, to, forward));
        return;
    }
    // The step is out of both stacks meanwhile.
    auto step = std::make_shared<Step>(std::move(from.back()));
    from.pop_back();
    busy_ = true;
    Q_EMIT stateChanged();
    step->context->replayInSteps(step->change, forward, std::move(progressed),
                                 [manager = QPointer<UndoManager>(this), step, &from, &to, finished = std::move(finished)](Result<void> outcome) {
                                     if (manager) {
                                         manager->busy_ = false;
                                         if (outcome)
                                             manager->keep(to, std::move(*step));
                                         else
                                             from.push_back(std::move(*step));
                                         Q_EMIT manager->stateChanged();
                                     }
                                     finished(outcome);
                                 });
}

Result<void> UndoManager::replay(std::deque<Step>& from, std::deque<Step>& to, bool forward)
{
    if (from.empty() || busy_)
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
