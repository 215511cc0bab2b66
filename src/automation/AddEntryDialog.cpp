#include "automation/AddEntryDialog.h"

#include "analytics/Fmt.h"
#include "services/NoteRules.h"
#include "services/TypedInput.h"
#include "views/kit/InputLabel.h"
#include "views/kit/Tints.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
enum Field { DateField, BalanceField, AdjustmentField, TransfersField, NoteField };

QString text(const char* utf8) { return QString::fromUtf8(utf8); }

QLabel* descriptionLabel(const QString& description, QWidget* parent)
{
    auto* label = new QLabel(description, parent);
    label->setWordWrap(true);
    label->setForegroundRole(QPalette::PlaceholderText);
    QFont small = label->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    label->setFont(small);
    return label;
}
} // namespace

AddEntryDialog::AddEntryDialog(Perform perform, QWidget* parent) : QDialog(parent), perform_(std::move(perform))
{
    setWindowTitle(AddBalanceEntryIntent::tr(AddBalanceEntryIntent::title));
    auto* column = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->setRowWrapPolicy(QFormLayout::DontWrapRows);
    for (const auto& parameter : AddBalanceEntryIntent::parameters) {
        auto* field = new QLineEdit(this);
        field->setObjectName(text(parameter.key));
        field->setMinimumWidth(280);
        field->setToolTip(AddBalanceEntryIntent::tr(parameter.description));
        fields_.push_back(field);
        auto* cell = new QVBoxLayout;
        cell->setSpacing(2);
        cell->addWidget(field);
        cell->addWidget(descriptionLabel(AddBalanceEntryIntent::tr(parameter.description), this));
        // The titles' first letters differ: each is its field's mnemonic.
        addLabelledRow(form, QLatin1Char('&') + AddBalanceEntryIntent::tr(parameter.title), field, AddBalanceEntryIntent::tr(parameter.description), cell);
    }
    fields_[DateField]->setPlaceholderText(tr("YYYY-MM-DD"));
    fields_[BalanceField]->setPlaceholderText(AddBalanceEntryIntent::tr(AddBalanceEntryIntent::balancePrompt));
    fields_[AdjustmentField]->setPlaceholderText(QStringLiteral("0"));
    fields_[TransfersField]->setPlaceholderText(QStringLiteral("0"));
    column->addLayout(form);

    error_ = new QLabel(this);
    error_->setWordWrap(true);
    QPalette errorPalette = error_->palette();
    errorPalette.setColor(QPalette::WindowText, Tints::red(errorPalette));
    error_->setPalette(errorPalette);
    error_->hide();
    column->addWidget(error_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* add = buttons->addButton(tr("Add"), QDialogButtonBox::AcceptRole);
    add->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &AddEntryDialog::submit);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
    fields_[BalanceField]->setFocus();
}

void AddEntryDialog::setText(const char* parameterKey, const QString& value)
{
    for (QLineEdit* field : fields_)
        if (field->objectName() == QLatin1String(parameterKey))
            field->setText(value);
}

QString AddEntryDialog::errorText() const { return error_->isHidden() ? QString() : error_->text(); }

void AddEntryDialog::setDate(Instant date)
{
    const auto day = Fmt::isoDay(date);
    prefilledDay_ = day ? QString::fromStdString(*day) : QString();
    prefilledDate_ = date;
    fields_[DateField]->setText(prefilledDay_);
}

std::optional<AddBalanceEntryIntent> AddEntryDialog::readIntent()
{
    AddBalanceEntryIntent intent;
    const auto fail = [this](const QString& message) {
        error_->setText(message);
        error_->show();
        return std::nullopt;
    };
    // The amounts' reasons name their field: the window has one message line for all.
    const auto titled = [](Field field, const Error& error) {
        //: A field's title, then why its text was refused.
        return tr("%1: %2").arg(AddBalanceEntryIntent::tr(AddBalanceEntryIntent::parameters[field].title), error.message);
    };
    const QString day = fields_[DateField]->text();
    if (prefilledDate_ && day == prefilledDay_) {
        intent.date = prefilledDate_; // the command line's moment, time of day included
    } else if (!TypedInput::isBlank(day)) {
        const Result<Instant> read = TypedInput::day(day);
        if (!read)
            return fail(read.error().message);
        intent.date = read.value();
    }
    const Result<double> balance = TypedInput::amount(fields_[BalanceField]->text());
    if (!balance)
        return fail(titled(BalanceField, balance.error()));
    intent.balance = balance.value();
    for (auto [field, slot] : {std::pair{AdjustmentField, &intent.adjustment}, std::pair{TransfersField, &intent.transfers}}) {
        const Result<double> amount = TypedInput::optionalAmount(fields_[field]->text());
        if (!amount)
            return fail(titled(field, amount.error()));
        *slot = amount.value();
    }
    if (!fields_[NoteField]->text().isEmpty())
        intent.note = fields_[NoteField]->text();
    if (const auto tooLong = NoteRules::refusal(intent.note))
        return fail(*tooLong);
    return intent;
}

void AddEntryDialog::submit()
{
    const auto intent = readIntent();
    if (!intent)
        return;
    auto performed = perform_(*intent);
    if (!performed) {
        error_->setText(performed.error().message);
        error_->show();
        return;
    }
    report_ = performed.value();
    error_->hide();
    accept();
}
