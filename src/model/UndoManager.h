#pragma once

#include <QObject>

#include <deque>
#include <functional>
#include <vector>

// Records undoable steps of the main context, one group per user action.
// By default a group opens with the first change registered and closes when control returns
// to the event loop (one user event, one group); beginGroup/endGroup nest explicitly.
// At most levelsOfUndo() groups are kept: a further group pushes the oldest out.
class UndoManager : public QObject {
    Q_OBJECT
public:
    explicit UndoManager(QObject* parent = nullptr);
    ~UndoManager() override;

    void setLevelsOfUndo(int levels); // 0 means unlimited
    int levelsOfUndo() const;

    bool canUndo() const;
    bool canRedo() const;
    void undo();
    void redo();

    void beginGroup();
    void endGroup();
    // Closes the group that is open, if any (what the event loop does after each event).
    void closeOpenGroup();

    // Store layer: registers the inverse of a change just made. Not for views.
    void registerUndo(std::function<void()> inverse);
    // Store layer: changes whenever a step is registered, a group ends or the steps are
    // removed. While it is unchanged, the step registered last may still take in more of the
    // same work (a million inserts of one import become one step holding a million objects).
    unsigned long long stepSerial() const { return stepSerial_; }

    // Store layer: drops the step registered last while stepSerial() is still `serial` (the
    // step has taken nothing in since, and its group is still open). False otherwise.
    bool removeLastStep(unsigned long long serial);

    void removeAllActions();

Q_SIGNALS:
    void stateChanged(); // canUndo/canRedo may have changed

private:
    using Group = std::vector<std::function<void()>>;
    enum class Replay { None, Undoing, Redoing };

    void push(std::deque<Group>& stack, Group group);
    // Runs a group's steps last to first; what they register forms the opposite group.
    void replay(std::deque<Group>& from, std::deque<Group>& to, Replay mode);

    std::deque<Group> undoStack_;
    std::deque<Group> redoStack_;
    Group openGroup_;
    Group replayGroup_;
    int explicitDepth_ = 0;
    bool groupOpen_ = false;
    bool closeScheduled_ = false;
    int levels_ = 0;
    Replay replaying_ = Replay::None;
    unsigned long long stepSerial_ = 0;
};
