#include "views/entries/EntryEditorView.h"

#include "model/BalanceEntry.h"
#include "model/ObjectContext.h"
#include "services/EntryActions.h"
#include "views/kit/Clock.h"
#include "views/kit/InputLabel.h"
#include "views/kit/OverlayButtons.h"
#include "views/kit/Tints.h"
#include "views/kit/TypedText.h"
#include "views/kit/TextStyles.h"

#include <QAbstractTextDocumentLayout>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>


namespace {

constexpr int stackSpacing = 14;
constexpr int inset = 16;
// The note grows with its text; past this many lines it scrolls, so that the panel (and its
// Save button) stays inside a window of the minimum size.
constexpr int noteLinesBeforeScrolling = 12;

QLabel* redCaption(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(TextStyles::caption(label->font()));
    label->setWordWrap(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Tints::red(palette));
    label->setPalette(palette);
    return label;
}

// A plain-text note field. Return (without Shift or Alt) is left to the panel, where it means
// Save as in every other field; Shift+Return or Alt+Return breaks the line.
class NoteEdit : public QTextEdit {
public:
    using QTextEdit::QTextEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool returnKey = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (returnKey && !(event->modifiers() & (Qt::ShiftModifier | Qt::AltModifier))) {
            event->ignore();
            return;
        }
        if (returnKey) {
            insertPlainText(QStringLiteral("\n"));
            return;
        }
        QTextEdit::keyPressEvent(event);
    }
};

} // namespace

EntryEditorView::EntryEditorView(ObjectContext& context, std::shared_ptr<BalanceEntry> entry, bool isNew,
                                 std::function<void()> onClose, QWidget* parent)
    : QWidget(parent), context_(context), entry_(std::move(entry)), isNew_(isNew), onClose_(std::move(onClose))
{
    setObjectName(QStringLiteral("entryEditor"));
    setFixedWidth(panelWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(inset, inset, inset, inset);
    layout->setSpacing(stackSpacing);

    auto* title = new QLabel(isNew_ ? tr("Add Entry") : tr("Edit Entry"), this);
    title->setObjectName(QStringLiteral("editorTitle"));
    title->setFont(TextStyles::title2(title->font()));
    layout->addWidget(title);

    form_ = new QFormLayout;
    form_->setVerticalSpacing(stackSpacing);
    form_->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    dateText_ = addTextRow(tr("&Date"), tr("YYYY-MM-DD"), tr("The entry's day, as YYYY-MM-DD"), "dateField");
    dateHint_ = redCaption(this, "dateHint");
    dateHint_->setText(tr("Use YYYY-MM-DD format (e.g. 2026-06-04)."));
    form_->addRow(QString(), dateHint_);
    balance_ = addTextRow(tr("&Balance"), QStringLiteral("0"), tr("The portfolio's value on that day"), "balanceField");
    balanceMessage_ = addMessageRow("balanceMessage");
    adjustment_ = addTextRow(tr("&Adjustment"), QStringLiteral("0"), tr("Cash flow: + deposit / \u2212 withdrawal"),
                             "adjustmentField");
    adjustmentMessage_ = addMessageRow("adjustmentMessage");
    transfers_ = addTextRow(tr("&Transfers"), QStringLiteral("0"), tr("Moves between accounts; optional"), "transfersField");
    transfersMessage_ = addMessageRow("transfersMessage");
    note_ = new NoteEdit(this);
    note_->setObjectName(QStringLiteral("noteField"));
    note_->setAcceptRichText(false);
    note_->setTabChangesFocus(true);
    note_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    note_->setLineWrapMode(QTextEdit::WidgetWidth);
    addLabelledRow(form_, tr("&Note"), note_, tr("Optional; Shift+Return breaks the line, Return saves"));
    noteMessage_ = addMessageRow("noteMessage");
    layout->addLayout(form_);

    saveError_ = redCaption(this, "saveError");
    saveError_->hide();
    layout->addWidget(saveError_);
    layout->addWidget(buildButtonRow());

    // The note's height follows its laid-out text (new lines, and wrapping at the panel width).
    connect(note_->document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            &EntryEditorView::fitNoteHeight);
    for (QLineEdit* field : {dateText_, balance_, adjustment_, transfers_})
        connect(field, &QLineEdit::textChanged, this, &EntryEditorView::updateValidation);
    connect(note_, &QTextEdit::textChanged, this, &EntryEditorView::updateValidation);
    connect(&context_, &ObjectContext::objectsDidChange, this, &EntryEditorView::updateValidation);
    fitNoteHeight();
    updateValidation();
}

EntryEditorView::~EntryEditorView() = default;

QLineEdit* EntryEditorView::addTextRow(const QString& label, const QString& placeholder, const QString& description,
                                       const char* name)
{
    auto* field = new QLineEdit(this);
    field->setObjectName(QLatin1String(name));
    field->setPlaceholderText(placeholder);
    addLabelledRow(form_, label, field, description);
    return field;
}

QLabel* EntryEditorView::addMessageRow(const char* name)
{
    QLabel* message = redCaption(this, name);
    form_->addRow(QString(), message);
    form_->setRowVisible(message, false);
    return message;
}

QWidget* EntryEditorView::buildButtonRow()
{
    auto* row = new QWidget(this);
    const OverlayButtons buttons = makeOverlayButtons(row, tr("Save"), QStringLiteral("saveButton"));
    row->setLayout(buttons.layout);
    saveButton_ = buttons.accept;
    connect(buttons.cancel, &QPushButton::clicked, this, [this] { onClose_(); });
    connect(saveButton_, &QPushButton::clicked, this, &EntryEditorView::save);
    return row;
}

void EntryEditorView::showEvent(QShowEvent* event)
{
    load();
    QWidget::showEvent(event);
}

void EntryEditorView::load()
{
    if (loaded_)
        return;
    const EntryTexts text = EntryTexts::load(entry_->values(), isNew_, systemNow());
    dateText_->setText(text.dateText);
    balance_->setText(text.balance);
    adjustment_->setText(text.adjustment);
    transfers_->setText(text.transfers);
    note_->setPlainText(text.note);
    loadedNote_ = text.note;
    loadedNoteShown_ = typedText(*note_->document());
    loaded_ = true;
    updateValidation();
}

EntryTexts EntryEditorView::text() const
{
    const QString note = typedText(*note_->document());
    return EntryTexts{
        .dateText = dateText_->text(),
        .balance = balance_->text(),
        .adjustment = adjustment_->text(),
        .transfers = transfers_->text(),
        .note = loaded_ && note == loadedNoteShown_ ? loadedNote_ : note,
    };
}

bool EntryEditorView::entryDeletedElsewhere() const
{
    return !isNew_ && (entry_->context() != &context_ || entry_->isDeleted());
}

void EntryEditorView::save()
{
    const std::optional<BalanceEntry::Values> values = text().read().values;
    if (!values || entryDeletedElsewhere())
        return;
    const Result<void> saved = EntryActions::update(context_, entry_, *values);
    if (!saved) {
        saveError_->setText(tr("Save failed: ") + saved.error().message);
        saveError_->show();
        return;
    }
    onClose_();
}

void EntryEditorView::updateValidation()
{
    const EntryTexts::Reading reading = text().read();
    form_->setRowVisible(dateHint_, !reading.date.isEmpty());
    const std::pair<QLabel*, const QString*> messages[] = {
        {balanceMessage_, &reading.balance}, {adjustmentMessage_, &reading.adjustment},
        {transfersMessage_, &reading.transfers}, {noteMessage_, &reading.note}};
    for (const auto& [label, message] : messages) {
        label->setText(*message);
        form_->setRowVisible(label, !message->isEmpty());
    }
    const bool deleted = entryDeletedElsewhere();
    if (deleted) {
        saveError_->setText(tr("This entry was deleted elsewhere."));
        saveError_->show();
    }
    saveButton_->setEnabled(reading.values.has_value() && !deleted);
}

void EntryEditorView::fitNoteHeight()
{
    const int lineHeight = note_->fontMetrics().lineSpacing();
    const int textHeight = static_cast<int>(note_->document()->size().height());
    const int frame = 2 * note_->frameWidth();
    const int shown = std::min(textHeight, noteLinesBeforeScrolling * lineHeight + 2 * int(note_->document()->documentMargin()));
    note_->setFixedHeight(std::max(shown, lineHeight + 2 * int(note_->document()->documentMargin())) + frame);
}
