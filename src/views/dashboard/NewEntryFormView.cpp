#include "views/dashboard/NewEntryFormView.h"

#include "analytics/Fmt.h"
#include "services/EntryActions.h"
#include "services/EntryTexts.h"
#include "services/TypedInput.h"
#include "views/kit/TypedText.h"
#include "views/kit/FormIcons.h"
#include "views/kit/InputLabel.h"
#include "views/kit/TextStyles.h"
#include "views/kit/Tints.h"

#include <QCalendarWidget>
#include <QDateTime>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <chrono>

namespace {

constexpr int maxNoteLines = 3;
// Object names of the inputs, by Field (what tests and style sheets find them by).
constexpr const char* fieldNames[] = {"dateField", "balanceField", "adjustmentField", "transfersField", "noteField"};

QString fieldName(NewEntryFormView::Field field) { return QLatin1String(fieldNames[static_cast<int>(field)]); }

Instant now() { return std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now()); }

QString isoDayText(Instant instant)
{
    if (const auto text = Fmt::isoDay(instant))
        return QString::fromStdString(*text);
    return QDateTime::fromMSecsSinceEpoch(millisecondsOf(instant)).date().toString(Qt::ISODate);
}

QDate localDay(Instant instant) { return QDateTime::fromMSecsSinceEpoch(millisecondsOf(instant)).date(); }

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QLabel* captionLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFont(TextStyles::caption(label->font()));
    QColor secondary = label->palette().color(QPalette::WindowText);
    secondary.setAlphaF(0.6);
    setTextColour(label, secondary);
    return label;
}

QLabel* warningLabel(QWidget* parent)
{
    auto* label = captionLabel(QString(), parent);
    setTextColour(label, Tints::red(label->palette()));
    label->setWordWrap(true);
    label->hide();
    return label;
}

QVBoxLayout* groupLayout(QWidget* group)
{
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    return layout;
}

} // namespace

NewEntryFormView::NewEntryFormView(ObjectContext& context, QWidget* parent) : QWidget(parent), context_(context)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);

    auto* title = new QLabel(tr("New Entry"), this);
    title->setFont(TextStyles::title2(title->font()));
    layout->addWidget(title);
    layout->addWidget(buildDateGroup());
    layout->addWidget(field(tr("&Balance"), balance_, tr("Required, e.g. 1242000"), Field::Balance, Field::Adjustment));
    layout->addWidget(field(tr("&Adjustment"), adjustment_, tr("Cash flow: + deposit / \u2212 withdrawal"),
                            Field::Adjustment, Field::Transfers));
    layout->addWidget(field(tr("&Transfers"), transfers_, tr("Optional"), Field::Transfers, Field::Note));
    layout->addWidget(buildNoteGroup());
    errorMessage_ = warningLabel(this);
    errorMessage_->setObjectName(QStringLiteral("errorMessage"));
    layout->addWidget(errorMessage_);
    layout->addWidget(buildButtonRow());
    for (QKeySequence keys : {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto* submitKey = new QShortcut(keys, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
        connect(submitKey, &QShortcut::activated, this, [this] {
            if (submitButton_->isEnabled())
                submit();
        });
    }
    clear();
}

NewEntryFormView::~NewEntryFormView() = default;

QWidget* NewEntryFormView::buildDateGroup()
{
    auto* group = new QWidget(this);
    auto* layout = groupLayout(group);
    QLabel* caption = captionLabel(tr("&Date"), group);
    layout->addWidget(caption);

    auto* row = new QHBoxLayout;
    dateText_ = new QLineEdit(group);
    labelInput(caption, dateText_, tr("The entry's day, as YYYY-MM-DD"));
    dateText_->setObjectName(fieldName(Field::Date));
    dateText_->setPlaceholderText(tr("YYYY-MM-DD"));
    focusOnReturn(dateText_, Field::Balance);
    calendarButton_ = new QToolButton(group);
    calendarButton_->setObjectName(QStringLiteral("calendarButton"));
    calendarButton_->setIcon(FormIcons::calendar());
    calendarButton_->setToolTip(tr("Pick a day"));
    calendarButton_->setAccessibleName(tr("Pick a day"));
    calendarButton_->setAccessibleDescription(tr("Opens a calendar to choose the entry's day"));
    row->addWidget(dateText_, 1);
    row->addWidget(calendarButton_, 0, Qt::AlignVCenter);
    layout->addLayout(row);

    dateHint_ = warningLabel(group);
    dateHint_->setObjectName(QStringLiteral("dateHint"));
    dateHint_->setText(tr("Use YYYY-MM-DD format (e.g. 2026-06-04)."));
    layout->addWidget(dateHint_);

    // The calendar is a popup anchored under the button; it closes when the day text changes.
    datePopover_ = new QFrame(this, Qt::Popup);
    datePopover_->setObjectName(QStringLiteral("datePopover"));
    datePopover_->setFrameShape(QFrame::StyledPanel);
    calendar_ = new QCalendarWidget(datePopover_);
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    (new QVBoxLayout(datePopover_))->addWidget(calendar_);

    connect(calendarButton_, &QToolButton::clicked, this, &NewEntryFormView::showDatePicker);
    connect(calendar_, &QCalendarWidget::clicked, this, &NewEntryFormView::pickDay);
    connect(calendar_, &QCalendarWidget::activated, this, &NewEntryFormView::pickDay);
    connect(dateText_, &QLineEdit::textChanged, this, [this] {
        datePopover_->hide();
        updateValidation();
    });
    return group;
}

QWidget* NewEntryFormView::field(const QString& caption, QLineEdit*& edit, const QString& prompt, Field focus, Field next)
{
    auto* group = new QWidget(this);
    auto* layout = groupLayout(group);
    QLabel* label = captionLabel(caption, group);
    layout->addWidget(label);
    edit = new QLineEdit(group);
    edit->setObjectName(fieldName(focus));
    edit->setPlaceholderText(prompt);
    labelInput(label, edit, prompt);
    layout->addWidget(edit);
    layout->addWidget(fieldMessage(focus, group));
    focusOnReturn(edit, next);
    connect(edit, &QLineEdit::textChanged, this, &NewEntryFormView::updateValidation);
    return group;
}

QWidget* NewEntryFormView::buildNoteGroup()
{
    auto* group = new QWidget(this);
    auto* layout = groupLayout(group);
    QLabel* caption = captionLabel(tr("&Note"), group);
    layout->addWidget(caption);
    // One line that grows to three as the text wraps or breaks, then scrolls. Return inserts
    // a line break here; Tab still moves on.
    note_ = new QPlainTextEdit(group);
    note_->setObjectName(fieldName(Field::Note));
    note_->setPlaceholderText(tr("Optional"));
    labelInput(caption, note_, tr("Optional; Ctrl+Return submits the entry"));
    note_->setTabChangesFocus(true);
    note_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    note_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    note_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    layout->addWidget(note_);
    layout->addWidget(fieldMessage(Field::Note, group));
    connect(note_, &QPlainTextEdit::textChanged, this, &NewEntryFormView::fitNoteHeight);
    connect(note_, &QPlainTextEdit::textChanged, this, &NewEntryFormView::updateValidation);
    fitNoteHeight();
    return group;
}

QWidget* NewEntryFormView::buildButtonRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* clearButton = new QPushButton(tr("Clear"), row);
    clearButton->setObjectName(QStringLiteral("clearButton"));
    submitButton_ = new QPushButton(tr("Submit"), row);
    submitButton_->setObjectName(QStringLiteral("submitButton"));
    layout->addWidget(clearButton);
    layout->addStretch(1);
    layout->addWidget(submitButton_);
    connect(clearButton, &QPushButton::clicked, this, &NewEntryFormView::clear);
    connect(submitButton_, &QPushButton::clicked, this, &NewEntryFormView::submit);
    return row;
}

QWidget* NewEntryFormView::input(Field field) const
{
    const std::array<QWidget*, 5> inputs{dateText_, balance_, adjustment_, transfers_, note_};
    return inputs[static_cast<std::size_t>(field)];
}

void NewEntryFormView::focusOnReturn(QLineEdit* edit, Field next)
{
    connect(edit, &QLineEdit::returnPressed, this, [this, next] { input(next)->setFocus(Qt::OtherFocusReason); });
}

QLabel* NewEntryFormView::fieldMessage(Field field, QWidget* group)
{
    auto* label = warningLabel(group);
    label->setObjectName(fieldName(field) + QStringLiteral("Message"));
    fieldMessages_[static_cast<std::size_t>(field)] = label;
    return label;
}

EntryTexts NewEntryFormView::texts() const
{
    return EntryTexts{
        .dateText = dateText_->text(),
        .balance = balance_->text(),
        .adjustment = adjustment_->text(),
        .transfers = transfers_->text(),
        .note = typedText(*note_->document()),
    };
}

void NewEntryFormView::updateValidation()
{
    if (!submitButton_)
        return; // still building
    const EntryTexts::Reading reading = texts().read();
    dateHint_->setVisible(!reading.date.isEmpty());
    const std::pair<Field, const QString*> messages[] = {
        {Field::Balance, &reading.balance}, {Field::Adjustment, &reading.adjustment},
        {Field::Transfers, &reading.transfers}, {Field::Note, &reading.note}};
    for (const auto& [field, message] : messages) {
        QLabel* label = fieldMessages_[static_cast<std::size_t>(field)];
        label->setText(*message);
        label->setVisible(!message->isEmpty());
    }
    submitButton_->setEnabled(reading.values.has_value());
}

void NewEntryFormView::setErrorMessage(const QString& message)
{
    errorMessage_->setText(message);
    errorMessage_->setVisible(!message.isEmpty());
}

// Nothing is stored while a field cannot be read: the balance and the day say so here, the
// other fields under themselves.
void NewEntryFormView::submit()
{
    const EntryTexts::Reading reading = texts().read();
    if (!reading.values) {
        if (!TypedInput::amount(balance_->text()))
            setErrorMessage(tr("Balance must be a number."));
        else if (!TypedInput::day(dateText_->text()))
            setErrorMessage(tr("Date must be in YYYY-MM-DD format."));
        return;
    }
    const auto added = EntryActions::add(context_, *reading.values);
    if (!added) {
        setErrorMessage(tr("Save failed: ") + added.error().message); // the inputs stay as typed
        return;
    }
    clear();
    focusBalance();
    const QString shownDay = QString::fromStdString(Fmt::date(*reading.values->date).value_or(std::string()));
    Q_EMIT reported(shownDay.isEmpty() ? tr("Added an entry") : tr("Added the entry of %1").arg(shownDay), true);
}

void NewEntryFormView::focusBalance()
{
    balance_->setFocus(Qt::OtherFocusReason);
    balance_->selectAll();
}

void NewEntryFormView::clear()
{
    balance_->clear();
    adjustment_->clear();
    transfers_->clear();
    note_->clear();
    dateText_->setText(isoDayText(now()));
    setErrorMessage(QString());
    updateValidation();
}

void NewEntryFormView::showDatePicker()
{
    const Result<Instant> typed = TypedInput::day(dateText_->text());
    calendar_->setSelectedDate(localDay(typed ? typed.value() : now()));
    datePopover_->adjustSize();
    datePopover_->move(calendarButton_->mapToGlobal(QPoint(0, calendarButton_->height())));
    datePopover_->show();
    calendar_->setFocus(Qt::PopupFocusReason);
}

void NewEntryFormView::pickDay(const QDate& day)
{
    dateText_->setText(isoDayText(instantFromMilliseconds(day.startOfDay().toMSecsSinceEpoch())));
    datePopover_->hide();
}

void NewEntryFormView::fitNoteHeight()
{
    int lines = 0;
    for (QTextBlock block = note_->document()->begin(); block.isValid(); block = block.next())
        lines += block.layout() ? std::max(1, block.layout()->lineCount()) : 1;
    lines = std::clamp(lines, 1, maxNoteLines);
    const int frame = 2 * note_->frameWidth();
    const int margins = note_->contentsMargins().top() + note_->contentsMargins().bottom();
    const int documentMargin = 2 * static_cast<int>(note_->document()->documentMargin());
    note_->setFixedHeight(lines * note_->fontMetrics().lineSpacing() + frame + margins + documentMargin);
}
