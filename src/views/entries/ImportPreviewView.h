#pragma once

#include "views/entries/ImportReadingTask.h"

#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QFormLayout;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

// What an import of one file will do, shown before anything is written (the entry table opens
// it in its modal overlay): the file's name, the rows read, their dates and how the dates were
// read, the first and last five rows as the table shows them, the rows already stored and the
// amounts that look like decimal commas (each with its check box), and the skipped lines. The
// file is read on a thread of its own with a progress bar; Cancel stops it. Import (the
// default button) hands the preview on; nothing is written here (the bar shows the storing
// that follows). Main thread only.
class ImportPreviewView : public QWidget {
    Q_OBJECT
public:
    static constexpr int panelWidth = 640;
    static constexpr int rowsAtEachEnd = 5;

    struct Actions {
        // Import clicked: the preview shown, and whether to leave out the rows already stored.
        std::function<void(const std::shared_ptr<const CsvActions::ImportPreview>&, bool skipAlreadyStored)> import;
        // The file could not be read: the alert that says so.
        std::function<void(const CSVPorter::Alert&)> failed;
        // Cancel clicked.
        std::function<void()> cancel;
    };

        // `stored` is asked once, on the reading's thread.
    ImportPreviewView(const QString& path, ImportReadingTask::StoredSource stored, Actions actions, QWidget* parent = nullptr);
    ~ImportPreviewView() override;

    // The preview shown; null while the file is being read.
    const CsvActions::ImportPreview* preview() const { return reading_ ? nullptr : preview_.get(); }
    // Import was clicked and the rows are being stored: the share stored so far. Nothing can
    // be changed any more; Cancel stays.
    void showSaving(double share);

    QCheckBox* skipAlreadyStoredBox() const { return skipBox_; }
    QCheckBox* decimalCommaBox() const { return commaBox_; }
    QPushButton* importButton() const { return importButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QProgressBar* progressBar() const { return progress_; }
    QTableWidget* rowsTable() const { return rows_; }
    QPlainTextEdit* skippedLines() const { return skipped_; }
    QString summaryText() const;

Q_SIGNALS:
    // A preview is shown (after the first reading and after each reading again).
    void ready();

private:
    void read(CSVPorter::ReadOptions options);
    void present(const std::shared_ptr<const ImportReadingTask::Outcome>& outcome);
    void showRows(const CSVPorter::ImportReading& reading);
    void setReading(bool reading);
    QWidget* buildButtonRow();

    ImportReadingTask::StoredSource stored_;
    ImportReadingTask::StoredValues storedValues_; // once read
    Actions actions_;
    QString path_;
    ImportReadingTask::Bytes bytes_;
    std::unique_ptr<ImportReadingTask> task_;
    std::shared_ptr<const CsvActions::ImportPreview> preview_;
    bool reading_ = true;
    bool firstReading_ = true;

    QFormLayout* summary_ = nullptr;
    QLabel* rowsRead_ = nullptr;
    QLabel* dates_ = nullptr;
    QLabel* dateReading_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QTableWidget* rows_ = nullptr;
    QLabel* storedText_ = nullptr;
    QCheckBox* skipBox_ = nullptr;
    QLabel* commaText_ = nullptr;
    QCheckBox* commaBox_ = nullptr;
    QLabel* skippedTitle_ = nullptr;
    QPlainTextEdit* skipped_ = nullptr;
    QPushButton* importButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};
