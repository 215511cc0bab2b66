#include "views/kit/PorterDialogs.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>

WidgetPorterDialogs::WidgetPorterDialogs(QWidget* parent) : parent_(parent) {}

QString WidgetPorterDialogs::importMessage()
{
    //: The column names are the file's own headers: keep them as they are.
    return tr("Choose a CSV with columns: Date, Balance, Adjustment, Transfers, Note");
}

// Comma-separated text first, then plain text; the first filter offers both at once.
QString WidgetPorterDialogs::importFilters()
{
    return tr("CSV or plain text (*.csv *.txt *.text);;Comma-separated values (*.csv);;Plain text (*.txt *.text)");
}

QString WidgetPorterDialogs::exportFilters() { return tr("Comma-separated values (*.csv)"); }

QString WidgetPorterDialogs::proposedExportName()
{
    return QStringLiteral("corvanta-%1.csv").arg(QDate::currentDate().toString(Qt::ISODate));
}

QWidget* WidgetPorterDialogs::parentWidget() const { return parent_ ? parent_.data() : QApplication::activeWindow(); }

std::optional<QString> WidgetPorterDialogs::chooseFileToImport()
{
    QFileDialog dialog(parentWidget(), importMessage());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile); // a single file
    dialog.setNameFilters(importFilters().split(QStringLiteral(";;")));
    dialog.setLabelText(QFileDialog::Accept, tr("Open"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> WidgetPorterDialogs::chooseFileToExport()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QFileDialog dialog(parentWidget(), tr("Export CSV"), QDir(folder).filePath(proposedExportName()),
                       exportFilters());
    dialog.setAcceptMode(QFileDialog::AcceptSave); // creating folders stays allowed
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

void WidgetPorterDialogs::showAlert(const CSVPorter::Alert& alert)
{
    QMessageBox box(parentWidget());
    box.setIcon(alert.style == CSVPorter::AlertStyle::Warning ? QMessageBox::Warning : QMessageBox::Information);
    box.setText(alert.messageText);
    box.setInformativeText(alert.informativeText);
    box.setStandardButtons(QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}
