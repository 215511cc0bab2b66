#include "views/comparison/TSXYearEditorView.h"

#include "analytics/YearFieldText.h"
#include "analytics/YearlyPortfolio.h"
#include "model/ObjectContext.h"
#include "model/StatsConversions.h"
#include "services/TypedInput.h"
#include "services/YearActions.h"
#include "views/kit/InputLabel.h"
#include "views/kit/OverlayButtons.h"
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
    const char* label; // with its mnemonic
    const char* placeholder;
    const char* description;
    QString YearEditorTexts::*text;
    QString YearEditorReading::*reason; // null: a field read without refusals
};

// In the order of TSXYearEditorView::Field.
const FieldRule fieldRules[] = {
    {QT_TRANSLATE_NOOP("TSXYearEditorView", "&Year"), QT_TRANSLATE_NOOP("TSXYearEditorView", "e.g. 2025"),
     QT_TRANSLATE_NOOP("TSXYearEditorView", "The calendar year this row compares"), &YearEditorTexts::year, nullptr},
    {QT_TRANSLATE_NOOP("TSXYearEditorView", "&Label (optional)"), QT_TRANSLATE_NOOP("TSXYearEditorView", "e.g. 2026 YTD"),
     QT_TRANSLATE_NOOP("TSXYearEditorView", "Shown instead of the year, for instance for a year to date"), &YearEditorTexts::label, nullptr},
    {QT_TRANSLATE_NOOP("TSXYearEditorView", "TSX &Return (decimal)"), QT_TRANSLATE_NOOP("TSXYearEditorView", "e.g. 0.215 for 21.5%"),
     QT_TRANSLATE_NOOP("TSXYearEditorView", "The index's total return for the year, as a decimal fraction"), &YearEditorTexts::tsxReturn, &YearEditorReading::tsxReturn},
    {QT_TRANSLATE_NOOP("TSXYearEditorView", "&Net Cash Flows"), "0",
     QT_TRANSLATE_NOOP("TSXYearEditorView", "Deposits less withdrawals during the year"), &YearEditorTexts::netCashFlows, &YearEditorReading::netCashFlows},
    {QT_TRANSLATE_NOOP("TSXYearEditorView", "Actual &Start"), "0",
     QT_TRANSLATE_NOOP("TSXYearEditorView", "The portfolio's balance at the start of the year"), &YearEditorTexts::actualStart, &YearEditorReading::actualStart},
    {QT_TRANSLATE_NOOP("TSXYearEditorView", "Actual En&d"), "0",
     QT_TRANSLATE_NOOP("TSXYearEditorView", "The portfolio's balance at the end of the year"), &YearEditorTexts::actualEnd, &YearEditorReading::actualEnd},
};
static_assert(std::size(fieldRules) == TSXYearEditorView::fieldCount);

QString decimalText(double value) { return QString::fromStdString(YearFieldText::decimalText(value)); }

void setTextColour(QLabel* label, const QColor& colour)
{
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
}
} // namespace

TSXYearEditorView::TSXYearEditorView(ObjectContext& context, std::shared_ptr<TSXYear> year, QWidget* parent)
    : QWidget(parent), context_(context), year_(std::move(year)), isNew_(year_->rowId() == 0)
{
    setObjectName(QStringLiteral("yearEditor"));
    setFixedWidth(editorWidth);
    auto* column = new QVBoxLayout(this);
    column->setSpacing(12);

    // A row with no store row yet is a proposed new year.
    title_ = new QLabel(isNew_ ? tr("Add Year") : tr("Edit Year"), this);
    title_->setFont(TextStyles::title2(title_->font()));
    column->addWidget(title_);

    form_ = new QFormLayout;
    form_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (std::size_t i = 0; i < std::size(fieldRules); ++i) {
        fields_[i] = new QLineEdit(this);
        fields_[i]->setPlaceholderText(tr(fieldRules[i].placeholder));
        connect(fields_[i], &QLineEdit::textChanged, this, &TSXYearEditorView::updateReading);
        if (i == static_cast<std::size_t>(Field::TsxReturn)) {
            // What the return was read as, next to it: "= 21.5 %".
            auto* row = new QHBoxLayout;
            returnShown_ = new QLabel(this);
            returnShown_->setObjectName(QStringLiteral("returnShown"));
            row->addWidget(fields_[i], 1);
            row->addWidget(returnShown_);
            addLabelledRow(form_, tr(fieldRules[i].label), fields_[i], tr(fieldRules[i].description), row);
        } else {
            addLabelledRow(form_, tr(fieldRules[i].label), fields_[i], tr(fieldRules[i].description));
        }
        if (fieldRules[i].reason) {
            fieldMessages_[i] = new QLabel(this);
            fieldMessages_[i]->setWordWrap(true);
            form_->addRow(QString(), fieldMessages_[i]);
            form_->setRowVisible(fieldMessages_[i], false);
        }
    }
    column->addLayout(form_);
    colourLabels();
    connect(&context_, &ObjectContext::objectsDidChange, this, &TSXYearEditorView::updateReading);

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

    const OverlayButtons buttons = makeOverlayButtons(this, tr("Save"), QStringLiteral("saveButton"));
    saveButton_ = buttons.accept;
    connect(buttons.cancel, &QPushButton::clicked, this, &TSXYearEditorView::cancel);
    connect(saveButton_, &QPushButton::clicked, this, &TSXYearEditorView::save);
    column->addLayout(buttons.layout);
}

TSXYearEditorView::~TSXYearEditorView() = default;

void TSXYearEditorView::load()
{
    if (loaded_)
        return;
    loaded_ = true;
    showTexts(editorTexts(year_->values()));
    updateReading();
}

void TSXYearEditorView::save()
{
    const YearEditorReading reading = readTexts(year_->values(), texts());
    if (!reading.values || yearDeletedElsewhere())
        return;
    const auto saved = YearActions::update(context_, year_, *reading.values);
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

bool TSXYearEditorView::yearDeletedElsewhere() const
{
    return !isNew_ && (year_->context() != &context_ || year_->isDeleted());
}

void TSXYearEditorView::updateReading()
{
    const YearEditorReading reading = readTexts(year_->values(), texts());
    for (std::size_t i = 0; i < std::size(fieldRules); ++i) {
        if (!fieldRules[i].reason)
            continue;
        const QString& reason = reading.*fieldRules[i].reason;
        fieldMessages_[i]->setText(reason);
        form_->setRowVisible(fieldMessages_[i], !reason.isEmpty());
    }
    const QString& returnText = field(Field::TsxReturn)->text();
    const Result<double> returnRead = TypedInput::fraction(returnText);
    returnShown_->setText(returnRead && !TypedInput::isBlank(returnText) ? TypedInput::percentShown(returnRead.value()) : QString());
    const bool deleted = yearDeletedElsewhere();
    if (deleted)
        setMessage(tr("This year was deleted elsewhere."), true);
    saveButton_->setEnabled(reading.values.has_value() && !deleted);
}

QString TSXYearEditorView::title() const { return title_->text(); }

QLineEdit* TSXYearEditorView::field(Field field) const { return fields_[static_cast<int>(field)]; }

QString TSXYearEditorView::message() const { return message_->text(); }

QString TSXYearEditorView::fieldMessage(Field field) const
{
    const QLabel* label = fieldMessages_[static_cast<int>(field)];
    return label && !label->isHidden() ? label->text() : QString();
}

void TSXYearEditorView::showEvent(QShowEvent* event)
{
    load();
    QWidget::showEvent(event);
}

void TSXYearEditorView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange) {
        setMessage(message_->text(), messageIsError_);
        colourLabels();
    }
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

void TSXYearEditorView::colourLabels()
{
    setTextColour(returnShown_, Tints::secondaryText(palette()));
    for (QLabel* label : fieldMessages_)
        if (label)
            setTextColour(label, Tints::red(palette()));
}

void TSXYearEditorView::setMessage(const QString& text, bool isError)
{
    messageIsError_ = isError;
    setTextColour(message_, isError ? Tints::red(palette()) : Tints::secondaryText(palette()));
    message_->setText(text);
    message_->setVisible(!text.isEmpty());
}
