#pragma once

#include "analytics/TSXModel.h"
#include "views/kit/Tints.h"

#include <QWidget>

#include <optional>
#include <vector>

class QLabel;

// The lower pane of the index comparison: the portfolio's figures beside their index
// equivalents and the difference (portfolio - index; green when zero or more), or the line
// "Add yearly data to see the comparison." when there is no comparison.
class ComparisonSummaryView : public QWidget {
    Q_OBJECT
public:
    static constexpr int figureRows = 5;
    enum Column { Title, Portfolio, Index, Difference, ColumnCount };

    explicit ComparisonSummaryView(QWidget* parent = nullptr);

    void setComparison(const std::optional<TSXComparison>& comparison);

    bool showsComparison() const;
    QString emptyText() const;
    // One shown cell of the grid's figure rows (0 to figureRows - 1), for checks.
    struct Cell {
        QString text;
        Tints::Role tint = Tints::Role::Primary;
    };
    Cell cell(int row, Column column) const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyTints();

    QLabel* empty_ = nullptr;
    QWidget* grid_ = nullptr;
    std::vector<QLabel*> cells_;            // figureRows x ColumnCount, row by row
    std::vector<Tints::Role> tints_;        // the same shape
};
