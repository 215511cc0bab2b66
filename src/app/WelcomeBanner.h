#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

// The first-run guide at the top of a tab. On an empty store it welcomes in words that suit
// its tab and offers "Add your first balance", "Import a CSV file…" and "Try with sample data";
// while sample data is stored it says so and offers "Remove sample data"; otherwise it is hidden.
class WelcomeBanner : public QFrame {
    Q_OBJECT
public:
    enum class State { Hidden, EmptyStore, SampleData };
    enum class Tab { Dashboard, Entries, Comparison };

    explicit WelcomeBanner(Tab tab, QWidget* parent = nullptr);

    void setState(State state);
    State state() const { return state_; }

Q_SIGNALS:
    void addFirstRequested();
    void importRequested();
    void sampleRequested();
    void removeSampleRequested();

private:
    Tab tab_;
    State state_ = State::Hidden;
    QLabel* title_;
    QLabel* text_;
    QPushButton* addFirst_;
    QPushButton* import_;
    QPushButton* sample_;
    QPushButton* removeSample_;
};
