#include "app/BackupDialogs.h"

#include "views/kit/InputLabel.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString backupFilter = QObject::tr("Corvanta backups (*.sqlite)");

// The backups as a list (date, entries, range), newest first; Restore takes the selected one,
// Other File… any file.
class BackupList : public QDialog {
    Q_DECLARE_TR_FUNCTIONS(BackupList)

public:
    BackupList(const std::vector<BackupFile>& backups, const QString& folder, QWidget* parent) : QDialog(parent), folder_(folder)
    {
        setWindowTitle(tr("Restore From Backup"));
        auto* layout = new QVBoxLayout(this);
        auto* caption = new QLabel(backups.empty() ? tr("There are no backups in %1 yet.").arg(folder)
                                                   : tr("&Backups in %1:").arg(folder));
        layout->addWidget(caption);
        list_ = new QTreeWidget(this);
        labelInput(caption, list_, tr("Newest first; Return restores the selected backup"));
        list_->setAccessibleName(tr("Backups"));
        list_->setHeaderLabels({tr("Date"), tr("Entries"), tr("Range")});
        list_->setRootIsDecorated(false);
        for (const BackupFile& backup : backups) {
            auto* item = new QTreeWidgetItem(list_, {Backups::timeText(backup.time), QString::number(backup.contents.entries),
                                                     Backups::rangeText(backup.contents)});
            item->setData(0, Qt::UserRole, backup.path);
            item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        }
        list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        list_->setCurrentItem(list_->topLevelItem(0));
        layout->addWidget(list_);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
        QPushButton* restore = buttons->addButton(tr("Restore"), QDialogButtonBox::AcceptRole);
        restore->setEnabled(!backups.empty());
        QPushButton* other = buttons->addButton(tr("Other File…"), QDialogButtonBox::ActionRole);
        connect(buttons, &QDialogButtonBox::accepted, this, [this] {
            if (QTreeWidgetItem* item = list_->currentItem())
                chosen_ = item->data(0, Qt::UserRole).toString();
            accept();
        });
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(other, &QPushButton::clicked, this, [this] {
            const QString file = QFileDialog::getOpenFileName(this, tr("Restore From Backup"), folder_, backupFilter);
            if (file.isEmpty())
                return;
            chosen_ = file;
            accept();
        });
        connect(list_, &QTreeWidget::itemActivated, restore, &QPushButton::click);
        layout->addWidget(buttons);
        resize(560, 360);
    }

    std::optional<QString> chosen() const { return chosen_.isEmpty() ? std::nullopt : std::optional(chosen_); }

private:
    QString folder_;
    QTreeWidget* list_ = nullptr;
    QString chosen_;
};
} // namespace

std::optional<QString> WidgetBackupDialogs::chooseBackupTarget(const QString& proposed)
{
    const QString file = QFileDialog::getSaveFileName(parent_, QObject::tr("Back Up Now"), proposed, backupFilter);
    return file.isEmpty() ? std::nullopt : std::optional(file);
}

std::optional<QString> WidgetBackupDialogs::chooseBackup(const std::vector<BackupFile>& backups, const QString& folder)
{
    BackupList dialog(backups, folder, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}

bool WidgetBackupDialogs::confirmRestore(const QString& question, const QString& details)
{
    QMessageBox box(QMessageBox::Warning, QObject::tr("Restore From Backup"), question, QMessageBox::Cancel, parent_);
    box.setInformativeText(details);
    QPushButton* restore = box.addButton(QObject::tr("Restore"), QMessageBox::DestructiveRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == restore;
}

namespace {
void showBox(QMessageBox::Icon icon, const QString& message, const QString& details, QWidget* parent)
{
    QMessageBox box(icon, QObject::tr("Backup"), message, QMessageBox::Ok, parent);
    box.setInformativeText(details);
    box.exec();
}
} // namespace

void WidgetBackupDialogs::showFailure(const QString& message, const QString& details)
{
    showBox(QMessageBox::Warning, message, details, parent_);
}

void WidgetBackupDialogs::showNotice(const QString& message, const QString& details)
{
    showBox(QMessageBox::Information, message, details, parent_);
}
