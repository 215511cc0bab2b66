#include "app/WelcomeBanner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

WelcomeBanner::WelcomeBanner(QWidget* parent)
    : QFrame(parent), title_(new QLabel(this)), text_(new QLabel(this)),
      addFirst_(new QPushButton(tr("Add your first balance"), this)),
      import_(new QPushButton(tr("Import a CSV file\u2026"), this)),
      sample_(new QPushButton(tr("Try with sample data"), this)),
      removeSample_(new QPushButton(tr("Remove sample data"), this))
{
    setObjectName(QStringLiteral("welcomeBanner"));
    setFrameShape(QFrame::StyledPanel);
    QFont bold = title_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    title_->setFont(bold);
    text_->setWordWrap(true);
    addFirst_->setObjectName(QStringLiteral("addFirstButton"));
    import_->setObjectName(QStringLiteral("importFirstButton"));
    sample_->setObjectName(QStringLiteral("sampleButton"));
    removeSample_->setObjectName(QStringLiteral("removeSampleButton"));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {addFirst_, import_, sample_, removeSample_})
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 12, 16, 12);
    column->addWidget(title_);
    column->addWidget(text_);
    column->addLayout(buttons);

    connect(addFirst_, &QPushButton::clicked, this, &WelcomeBanner::addFirstRequested);
    connect(import_, &QPushButton::clicked, this, &WelcomeBanner::importRequested);
    connect(sample_, &QPushButton::clicked, this, &WelcomeBanner::sampleRequested);
    connect(removeSample_, &QPushButton::clicked, this, &WelcomeBanner::removeSampleRequested);
    setState(State::Hidden);
}

void WelcomeBanner::setState(State state)
{
    state_ = state;
    const bool empty = state == State::EmptyStore;
    title_->setText(empty ? tr("Welcome to Corvanta") : tr("You are looking at sample data"));
    text_->setText(empty ? tr("Record your portfolio's balance as of a day, bring in a CSV file of past balances, "
                              "or look around with sample entries and sample index years first.")
                         : tr("The entries and years marked \u201cSample data\u201d are made up. Remove them before "
                              "recording your own; one Undo brings them back."));
    for (QPushButton* button : {addFirst_, import_, sample_})
        button->setVisible(empty);
    removeSample_->setVisible(state == State::SampleData);
    setVisible(state != State::Hidden);
    setAccessibleName(title_->text());
    setAccessibleDescription(text_->text());
}
