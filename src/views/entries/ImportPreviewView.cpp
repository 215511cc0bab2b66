#include "views/entries/ImportPreviewView.h"

#include "model/ReleaseOffThread.h"

#include "services/ImportPreviewText.h"
#include "views/kit/OverlayButtons.h"
#include "views/kit/TextStyles.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int progressSteps = 1000;
const char* const columnTitles[] = {QT_TRANSLATE_NOOP("ImportPreviewView", "Date"), QT_TRANSLATE_NOOP("ImportPreviewView", "Balance"),
                                    QT_TRANSLATE_NOOP("ImportPreviewView", "Adjustment"),
                                    QT_TRANSLATE_NOOP("ImportPreviewView", "Transfers"), QT_TRANSLATE_NOOP("ImportPreviewView", "Note")};

QLabel* wrappingLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

ImportPreviewView::ImportPreviewView(const QString& path, ImportReadingTask::StoredSource stored, Actions actions, QWidget* parent)
    : QWidget(parent), stored_(std::move(stored)), actions_(std::move(actions)), path_(path)
{
    setFixedWidth(panelWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->setSpacing(8);

    auto* title = new QLabel(tr("Import %1").arg(QFileInfo(path).fileName()), this);
    title->setObjectName(QStringLiteral("importTitle"));
    title->setFont(TextStyles::title3(font()));
    layout->addWidget(title);

    progress_ = new QProgressBar(this);
    progress_->setRange(0, progressSteps);
    layout->addWidget(progress_);

    summary_ = new QFormLayout;
    rowsRead_ = wrappingLabel(this);
    dates_ = wrappingLabel(this);
    dateReading_ = wrappingLabel(this);
    summary_->addRow(tr("Rows read:"), rowsRead_);
    summary_->addRow(tr("Dates:"), dates_);
    summary_->addRow(tr("Dates read as:"), dateReading_);
    layout->addLayout(summary_);

    rows_ = new QTableWidget(0, int(std::size(columnTitles)), this);
    rows_->setObjectName(QStringLiteral("previewRows"));
    rows_->setAccessibleName(tr("First and last rows read"));
    QStringList titles;
    for (const char* title : columnTitles)
        titles << tr(title);
    rows_->setHorizontalHeaderLabels(titles);
    rows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rows_->setSelectionMode(QAbstractItemView::NoSelection);
    rows_->setFocusPolicy(Qt::NoFocus);
    rows_->setWordWrap(false);
    rows_->verticalHeader()->hide();
    rows_->horizontalHeader()->setStretchLastSection(true);
    rows_->verticalHeader()->setDefaultSectionSize(rows_->fontMetrics().height() + 6);
    rows_->setFixedHeight(rows_->horizontalHeader()->sizeHint().height() + (2 * rowsAtEachEnd + 1) * (rows_->fontMetrics().height() + 6) + 4);
    layout->addWidget(rows_);

    storedText_ = wrappingLabel(this);
    skipBox_ = new QCheckBox(QCoreApplication::translate("ImportPreviewText", ImportPreviewText::skipAlreadyStoredLabel), this);
    skipBox_->setObjectName(QStringLiteral("skipAlreadyStored"));
    commaText_ = wrappingLabel(this);
    commaBox_ = new QCheckBox(QCoreApplication::translate("ImportPreviewText", ImportPreviewText::decimalCommaLabel), this);
    commaBox_->setObjectName(QStringLiteral("decimalComma"));
    // Each finding beside the box that acts on it.
    for (auto [text, box] : {std::pair<QLabel*, QCheckBox*>{storedText_, skipBox_}, std::pair<QLabel*, QCheckBox*>{commaText_, commaBox_}}) {
        auto* row = new QHBoxLayout;
        row->addWidget(text, 1);
        row->addWidget(box);
        layout->addLayout(row);
    }
    connect(commaBox_, &QCheckBox::toggled, this, [this](bool checked) { read({.decimalComma = checked}); });

    skippedTitle_ = wrappingLabel(this);
    skipped_ = new QPlainTextEdit(this);
    skipped_->setObjectName(QStringLiteral("skippedLines"));
    skipped_->setAccessibleName(tr("Rows to be skipped"));
    skipped_->setReadOnly(true);
    skipped_->setLineWrapMode(QPlainTextEdit::NoWrap);
    skipped_->setMaximumHeight(4 * skipped_->fontMetrics().height() + 12);
    layout->addWidget(skippedTitle_);
    layout->addWidget(skipped_);
    layout->addWidget(buildButtonRow());

    read({});
}

ImportPreviewView::~ImportPreviewView()
{
    task_.reset(); // stops a reading under way
    // A million rows read and as many stored values take a while to free: not here.
    releaseOffThread(std::tuple(std::move(preview_), std::move(bytes_), std::move(storedValues_)));
}

QWidget* ImportPreviewView::buildButtonRow()
{
    auto* row = new QWidget(this);
    const OverlayButtons buttons = makeOverlayButtons(row, tr("Import"), QStringLiteral("importButton"));
    row->setLayout(buttons.layout);
    cancelButton_ = buttons.cancel;
    importButton_ = buttons.accept;
    connect(cancelButton_, &QPushButton::clicked, this, [this] {
        task_.reset(); // stops the reading
        actions_.cancel();
    });
    connect(importButton_, &QPushButton::clicked, this, [this] {
        if (preview())
            actions_.import(preview_, skipBox_->isChecked());
    });
    return row;
}

void ImportPreviewView::read(CSVPorter::ReadOptions options)
{
    setReading(true);
    task_ = bytes_ ? std::make_unique<ImportReadingTask>(bytes_, stored_, options) : std::make_unique<ImportReadingTask>(path_, stored_, options);
    connect(task_.get(), &ImportReadingTask::progressed, this, [this](double share) { progress_->setValue(int(share * progressSteps)); });
    connect(task_.get(), &ImportReadingTask::finished, this, &ImportPreviewView::present);
    task_->start();
}

void ImportPreviewView::setReading(bool reading)
{
    reading_ = reading;
    progress_->setValue(0);
    progress_->setVisible(reading);
    importButton_->setEnabled(!reading);
    commaBox_->setEnabled(!reading);
    skipBox_->setEnabled(!reading);
    setCursor(reading ? Qt::BusyCursor : Qt::ArrowCursor);
}

void ImportPreviewView::showSaving(double share)
{
    progress_->setVisible(true);
    progress_->setValue(int(share * progressSteps));
    for (QWidget* input : std::initializer_list<QWidget*>{importButton_, commaBox_, skipBox_})
        input->setEnabled(false);
    setCursor(Qt::BusyCursor);
}

void ImportPreviewView::present(const std::shared_ptr<const ImportReadingTask::Outcome>& outcome)
{
    task_.reset();
    if (!outcome->preview) {
        actions_.failed(outcome->failure);
        return;
    }
    bytes_ = outcome->bytes;
    storedValues_ = outcome->stored;
    stored_ = [stored = storedValues_]() -> Result<ImportReadingTask::StoredValues> { return stored; };
    preview_ = std::shared_ptr<const CsvActions::ImportPreview>(outcome, &*outcome->preview);
    const CSVPorter::ImportReading& reading = preview_->reading;
    const bool first = std::exchange(firstReading_, false);
    // Amounts that look like decimal commas are read so at once, and the box says so.
    if (first && reading.looksDecimalComma()) {
        const QSignalBlocker quiet(commaBox_);
        commaBox_->setChecked(true);
        read({.decimalComma = true});
        return;
    }
    setReading(false);

    rowsRead_->setText(QString::number(reading.rows.size()));
    dates_->setText(ImportPreviewText::dateRangeText(reading));
    dateReading_->setText(ImportPreviewText::dateReadings(reading).join(QLatin1Char('\n')));
    for (QLabel* field : {dates_, dateReading_})
        summary_->setRowVisible(field, !field->text().isEmpty());
    showRows(reading);

    const std::int64_t stored = preview_->alreadyStoredCount;
    storedText_->setText(ImportPreviewText::alreadyStoredText(stored));
    if (first)
        skipBox_->setChecked(stored > 0);
    storedText_->setVisible(stored > 0);
    skipBox_->setVisible(stored > 0);
    commaText_->setText(ImportPreviewText::decimalCommaText());
    commaText_->setVisible(reading.looksDecimalComma());
    commaBox_->setVisible(reading.looksDecimalComma() || commaBox_->isChecked());
    // The finding beside each box tells a screen reader why the box is there.
    skipBox_->setAccessibleDescription(storedText_->text());
    commaBox_->setAccessibleDescription(commaText_->text());

    const std::size_t skipped = reading.skipped.size();
    skippedTitle_->setText(skipped == 1 ? tr("1 row will be skipped:") : tr("%n rows will be skipped:", nullptr, skipped));
    skipped_->setPlainText(CSVPorter::skippedLinesText(reading.skipped));
    skippedTitle_->setVisible(skipped > 0);
    skipped_->setVisible(skipped > 0);
    adjustSize();
    Q_EMIT ready();
}

void ImportPreviewView::showRows(const CSVPorter::ImportReading& reading)
{
    const std::size_t count = reading.rows.size();
    std::vector<std::size_t> shown;
    for (std::size_t i = 0; i < std::min<std::size_t>(count, rowsAtEachEnd); ++i)
        shown.push_back(i);
    const std::size_t tail = std::max<std::size_t>(shown.size(), count - std::min<std::size_t>(count, rowsAtEachEnd));
    const bool gap = tail > shown.size();
    rows_->setRowCount(int(count - tail + shown.size() + (gap ? 1 : 0)));
    int at = 0;
    const auto fill = [&](const QStringList& cells) {
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            const bool amount = column >= 1 && column <= 3;
            item->setTextAlignment(Qt::AlignVCenter | (amount ? Qt::AlignRight : Qt::AlignLeft));
            rows_->setItem(at, column, item);
        }
        ++at;
    };
    for (const std::size_t i : shown)
        fill(ImportPreviewText::rowCells(reading.rows[i].values));
    if (gap)
        fill({QStringLiteral("\u22ef")});
    for (std::size_t i = tail; i < count; ++i)
        fill(ImportPreviewText::rowCells(reading.rows[i].values));
    rows_->resizeColumnsToContents();
    rows_->setVisible(count > 0);
}

QString ImportPreviewView::summaryText() const
{
    QStringList lines = {rowsRead_->text(), dates_->text(), dateReading_->text()};
    for (const QLabel* label : {storedText_, commaText_, skippedTitle_})
        if (label->isVisibleTo(this))
            lines.append(label->text());
    return lines.join(QLatin1Char('\n'));
}
