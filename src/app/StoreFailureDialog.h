#pragma once

#include <QMessageBox>

#include <functional>

// What a person sees when the store cannot be opened: the fatal message, the store file's
// path, and Show File (its folder in the file manager) and Quit. Recovery commands (Restore
// From Backup… where a backup exists) are added with addRecovery before the dialog runs.
class StoreFailureDialog : public QMessageBox {
    Q_OBJECT
public:
    StoreFailureDialog(const QString& message, const QString& storePath, QWidget* parent = nullptr);

    // A button that runs `recover` and closes the dialog.
    QAbstractButton* addRecovery(const QString& title, std::function<void()> recover);

    QAbstractButton* showFileButton() const { return showFile_; }

    // Where recovery commands come from: set once at start-up by whoever offers them (a
    // backup list, say), called with each dialog before it runs.
    using RecoveryOffer = std::function<void(StoreFailureDialog& dialog, const QString& storePath)>;
    static void setRecoveryOffer(RecoveryOffer offer);

    // Shows the dialog modally (with the offered recoveries), when a display can show it.
    static void present(const QString& message, const QString& storePath);

private:
    QString storePath_;
    QAbstractButton* showFile_ = nullptr;
};
