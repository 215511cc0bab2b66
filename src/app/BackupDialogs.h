#pragma once

#include "services/Backups.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

// The blocking dialogs of Back Up Now and Restore From Backup, behind a seam so that tests
// drive the same code without a person clicking.
class BackupDialogs {
public:
    virtual ~BackupDialogs() = default;
    // Where to write a backup (`proposed` preselected), or nothing when cancelled.
    virtual std::optional<QString> chooseBackupTarget(const QString& proposed) = 0;
    // The backup to restore: one of `backups` or another file, or nothing when cancelled.
    virtual std::optional<QString> chooseBackup(const std::vector<BackupFile>& backups, const QString& folder) = 0;
    // True when the user confirms the one question before a restore.
    virtual bool confirmRestore(const QString& question, const QString& details) = 0;
    virtual void showFailure(const QString& message, const QString& details) = 0;
    virtual void showNotice(const QString& message, const QString& details) = 0;
};

// The real ones: QFileDialog, QMessageBox and a list of the backups, modal to `parent`.
class WidgetBackupDialogs final : public BackupDialogs {
public:
    explicit WidgetBackupDialogs(QWidget* parent) : parent_(parent) {}

    std::optional<QString> chooseBackupTarget(const QString& proposed) override;
    std::optional<QString> chooseBackup(const std::vector<BackupFile>& backups, const QString& folder) override;
    bool confirmRestore(const QString& question, const QString& details) override;
    void showFailure(const QString& message, const QString& details) override;
    void showNotice(const QString& message, const QString& details) override;

private:
    QPointer<QWidget> parent_;
};
