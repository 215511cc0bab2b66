#pragma once

#include <QCategoryAxis>

#include <vector>

// Readable, evenly spaced values for a money axis: the covering interval [low, high] and at most
// `desiredCount` tick values from low to high, in the smallest step of 1, 2, 2.5 or 5 times a
// power of ten that covers the data (2.5 only from 25 up, so that every tick is a whole currency
// unit and its label is distinct).
struct ValueTicks {
    double low = 0;
    double high = 1;
    std::vector<double> values;
};
ValueTicks niceTicks(double dataMin, double dataMax, int desiredCount = 6);

// A value axis whose labels are Fmt::currency texts. QValueAxis only formats with printf
// patterns, so the ticks are the categories of a QCategoryAxis, each labelled on its value.
class CurrencyAxis : public QCategoryAxis {
    Q_OBJECT
public:
    explicit CurrencyAxis(QObject* parent = nullptr);

    // Covers [dataMin, dataMax] with nice ticks; non-finite bounds are ignored.
    void fitTo(double dataMin, double dataMax);
    const ValueTicks& ticks() const { return ticks_; }

private:
    ValueTicks ticks_;
};
