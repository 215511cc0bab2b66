#include "views/comparison/TSXYearEditorView.h"

#include "analytics/YearFieldText.h"
#include "analytics/YearlyPortfolio.h"
#include "model/ObjectContext.h"
#include "model/StatsConversions.h"
#include "services/YearActions.h"
#include "views/kit/ModalOverlay.h"
#include "views/kit/TextStyles.h"
#include "views/kit/Tints.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
struct FieldRule {
    const char* label;
    const char* placeholder;
    QString YearEditorTexts::*text;
};

// In the order of TSXYearEditorView::Field.
const FieldRule fieldRules[] = {
    {"Year", "e.g. 2025", &YearEditorTexts::year},
    {"Label (optional)", "e.g. 2026 YTD", &YearEditorTexts::label},
    {"TSX Return (decimal)", "e.g. 0.215 for 21.5%", &YearEditorTexts::tsxReturn},
    {"Net Cash Flows", "0", &YearEditorTexts::netCashFlows},
    {"Actual Start", "0", &YearEditorTexts::actualStart},
    {"Actual End", "0", &YearEditorTexts::actualEnd},
};
static_assert(std::size(fieldRules) == TSXYearEditorView::fieldCount);

QString decimalText(double value) { return QString::fromStdString(YearFieldText::decimalText(value)); }
} // namespace

TSXYearEditorView::TSXYearEditorView(ObjectContext& context, std::shared_ptr<TSXYear> year, QWidget* parent)
    : QWidget(parent), context_(context), year_(std::move(year))
{
    setObjectName(QStringLiteral("yearEditor"));
    setFixedWidth(editorWidth);
    auto* column = new QVBoxLayout(this);
    column->setSpacing(12);

    // A row with no store row yet is a proposed new year.
    title_ = new QLabel(year_->rowId() == 0 ? tr("Add Year") : tr("Edit Year"), this);
    title_->setFont(TextStyles::title2(title_->font()));
    column->addWidget(title_);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (std::size_t i = 0; i < std::size(fieldRules); ++i) {
        fields_[i] = new QLineEdit(this);
        fields_[i]->setPlaceholderText(tr(fieldRules[i].placeholder));
        form->addRow(tr(fieldRules[i].label), fields_[i]);
    }
    column->addLayout(form);

    auto* fill = new QPushButton(tr("Fill from Entries"), this);
    fill->setObjectName(QStringLiteral("fillFromEntries"));
    fill->setToolTip(tr("Propose this year's start, end and net cash flows from the balance entries"));
    connect(fill, &QPushButton::clicked, this, &TSXYearEditorView::fillFromEntries);
    auto* fillRow = new QHBoxLayout;
    fillRow->addStretch(1);
    fillRow->addWidget(fill);
    column->addLayout(fillRow);

    message_ = new QLabel(this);
    message_->setWordWrap(true);
    message_->setVisible(false);
    column->addWidget(message_);

    auto* buttons = new QHBoxLayout;
    auto* cancel = new QPushButton(tr("Cancel"), this);
    ModalOverlay::setCancelButton(cancel);
    connect(cancel, &QPushButton::clicked, this, &TSXYearEditorView::cancel);
    saveButton_ = new QPushButton(tr("Save"), this);
    saveButton_->setDefault(true);
    connect(saveButton_, &QPushButton::clicked, this, &TSXYearEditorView::save);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    buttons->addWidget(saveButton_);
    column->addLayout(buttons);
}

TSXYearEditorView::~TSXYearEditorView() = default;

void TSXYearEditorView::load()
{
    if (loaded_)
        return;
    loaded_ = true;
    showTexts(editorTexts(year_->values()));
}

void TSXYearEditorView::save()
{
    const auto saved = YearActions::update(context_, year_, editedValues(year_->values(), texts()));
    if (!saved.ok()) {
        setMessage(tr("Save failed: ") + saved.error().message, true);
        return;
    }
    Q_EMIT closed();
}

void TSXYearEditorView::cancel() { Q_EMIT closed(); }

void TSXYearEditorView::fillFromEntries()
{
    const std::int32_t year = YearFieldText::readYear(field(Field::Year)->text().toStdString());
    if (year == 0) {
        setMessage(tr("Type a year to fill it from the entries."), false);
        return;
    }
    const auto entries = context_.fetchBalanceEntries(BalanceEntry::Date, SortDirection::Ascending);
    if (!entries.ok()) {
        setMessage(tr("Could not read the entries: ") + entries.error().message, true);
        return;
    }
    const auto figures = YearlyPortfolio::figures(statsInputs(entries.value()), year);
    if (!figures) {
        setMessage(tr("There are no entries dated in %1.").arg(year), false);
        return;
    }
    field(Field::NetCashFlows)->setText(decimalText(figures->netCashFlows));
    field(Field::ActualStart)->setText(decimalText(figures->actualStart));
    field(Field::ActualEnd)->setText(decimalText(figures->actualEnd));
    setMessage({}, false);
}

QString TSXYearEditorView::title() const { return title_->text(); }

QLineEdit* TSXYearEditorView::field(Field field) const { return fields_[static_cast<int>(field)]; }

QString TSXYearEditorView::message() const { return message_->text(); }

void TSXYearEditorView::showEvent(QShowEvent* event)
{
    load();
    QWidget::showEvent(event);
}

void TSXYearEditorView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        setMessage(message_->text(), messageIsError_);
    QWidget::changeEvent(event);
}

YearEditorTexts TSXYearEditorView::texts() const
{
    YearEditorTexts texts;
    for (std::size_t i = 0; i < std::size(fieldRules); ++i)
        texts.*fieldRules[i].text = fields_[i]->text();
    return texts;
}

void TSXYearEditorView::showTexts(const YearEditorTexts& texts)
{
    for (std::size_t i = 0; i < std::size(fieldRules); ++i)
        fields_[i]->setText(texts.*fieldRules[i].text);
}

void TSXYearEditorView::setMessage(const QString& text, bool isError)
{
    messageIsError_ = isError;
    QPalette colours = message_->palette();
    colours.setColor(QPalette::WindowText, isError ? Tints::red(palette()) : Tints::secondaryText(palette()));
    message_->setPalette(colours);
    message_->setText(text);
    message_->setVisible(!text.isEmpty());
}
