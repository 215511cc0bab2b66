#include "app/WelcomeBanner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace {
struct Welcome {
    const char* title;
    const char* text;
};

Welcome emptyStoreWelcome(WelcomeBanner::Tab tab)
{
    switch (tab) {
    case WelcomeBanner::Tab::Entries:
        return {QT_TRANSLATE_NOOP("WelcomeBanner", "Your entries will be listed here"),
                QT_TRANSLATE_NOOP("WelcomeBanner", "Each entry is your portfolio's balance on a day, with its cash flow, "
                                                   "transfers and a note. Add your first balance, import a CSV file of past "
                                                   "balances, or try the table with sample entries.")};
    case WelcomeBanner::Tab::Comparison:
        return {QT_TRANSLATE_NOOP("WelcomeBanner", "Compare your years with the index"),
                QT_TRANSLATE_NOOP("WelcomeBanner", "This tab sets your portfolio's return for each calendar year beside the "
                                                   "S&P/TSX Composite total return. Try it with sample entries and sample "
                                                   "index years, or start from your own balances.")};
    case WelcomeBanner::Tab::Dashboard: break;
    }
    return {QT_TRANSLATE_NOOP("WelcomeBanner", "Welcome to Corvanta"),
            QT_TRANSLATE_NOOP("WelcomeBanner", "Record your portfolio's balance as of a day, bring in a CSV file of past "
                                               "balances, or look around with sample entries and sample index years first.")};
}
} // namespace

WelcomeBanner::WelcomeBanner(Tab tab, QWidget* parent)
    : QFrame(parent), tab_(tab), title_(new QLabel(this)), text_(new QLabel(this)),
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

    addFirst_->setAccessibleDescription(tr("Moves the focus to the new entry form on the dashboard"));
    import_->setAccessibleDescription(tr("Chooses a CSV file of past balances and previews its import"));
    sample_->setAccessibleDescription(tr("Stores made-up entries and index years, marked as sample data; Undo takes them out"));
    removeSample_->setAccessibleDescription(tr("Takes out every entry and year marked as sample data"));

    // The comparison has little to show without index years: there the sample comes first.
    const auto order = tab == Tab::Comparison ? std::array{sample_, addFirst_, import_} : std::array{addFirst_, import_, sample_};
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : order)
        buttons->addWidget(button);
    buttons->addStretch(1);
    // "Remove sample data" sits beside the title, so that the reminder takes two lines.
    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(title_, 1);
    titleRow->addWidget(removeSample_);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 12, 16, 12);
    column->addLayout(titleRow);
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
    const Welcome welcome = emptyStoreWelcome(tab_);
    title_->setText(empty ? tr(welcome.title) : tr("You are looking at sample data"));
    text_->setText(empty ? tr(welcome.text)
                         : tr("The entries and years marked \u201cSample data\u201d are made up. Remove them before "
                              "recording your own; one Undo brings them back."));
    for (QPushButton* button : {addFirst_, import_, sample_})
        button->setVisible(empty);
    removeSample_->setVisible(state == State::SampleData);
    setVisible(state != State::Hidden);
    setAccessibleName(title_->text());
    setAccessibleDescription(text_->text());
}
