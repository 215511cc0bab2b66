#pragma once

#include "model/RecordedChange.h"
#include "model/Result.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <deque>
#include <functional>

class ObjectContext;

// The undo history of the window: one named step per user action (UserAction records them,
// after the action's save succeeded). Undo and redo replay a step through its context and
// save it at once. At most levelsOfUndo() steps are kept: a further one pushes the oldest out.
// Main thread only.
class UndoManager : public QObject {
    Q_OBJECT
public:
    explicit UndoManager(QObject* parent = nullptr);
    ~UndoManager() override;

    void setLevelsOfUndo(int levels); // 0 means unlimited
    int levelsOfUndo() const;

    bool canUndo() const;
    bool canRedo() const;
    // The name of the step Undo (Redo) would take ("Delete 3 Entries"); empty when none.
    QString undoName() const;
    QString redoName() const;

    // Takes the newest step back (makes the newest undone step again) and saves. When the save
    // fails, the context shows what the store holds again, the step stays where it was, and
    // the save's error is returned.
    Result<void> undo();
    Result<void> redo();
    // The same over several event-loop passes when the step is large (an import of many rows,
    // see ObjectContext::replayInSteps), at once otherwise. Meanwhile isBusy(), and nothing
    // can be undone or redone. `progressed` gets the share done; `finished` what undo() or
    // redo() would have returned.
    using Progress = std::function<void(double)>;
    using Finished = std::function<void(const Result<void>&)>;
    void undoInSteps(Progress progressed, Finished finished);
    void redoInSteps(Progress progressed, Finished finished);
    bool isBusy() const { return busy_; }

    // A saved change of `context` becomes the newest step; what could be redone is dropped.
    void push(const QString& name, ObjectContext& context, RecordedChange change);
    void removeAllActions();

Q_SIGNALS:
    void stateChanged(); // canUndo/canRedo and the names may have changed

private:
    struct Step {
        QString name;
        QPointer<ObjectContext> context;
        RecordedChange change;
    };
    void keep(std::deque<Step>& stack, Step step);
    Result<void> replay(std::deque<Step>& from, std::deque<Step>& to, bool forward);
    void replayInSteps(std::deque<Step>& from, std::deque<Step>& to, bool forward, Progress progressed, Finished finished);

    std::deque<Step> undoStack_;
    std::deque<Step> redoStack_;
    int levels_ = 0;
    bool busy_ = false;
};
