#include "app/StoreFailureDialog.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <QUrl>

namespace {
StoreFailureDialog::RecoveryOffer& recoveryOffer()
{
    static StoreFailureDialog::RecoveryOffer offer;
    return offer;
}
} // namespace

StoreFailureDialog::StoreFailureDialog(const QString& message, const QString& storePath, QWidget* parent)
    : QMessageBox(parent), storePath_(storePath)
{
    setObjectName(QStringLiteral("storeFailureDialog"));
    setWindowTitle(tr("Corvanta"));
    setIcon(QMessageBox::Critical);
    setText(message);
    setInformativeText(tr("Data file: %1").arg(storePath));
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    showFile_ = addButton(tr("Show File"), QMessageBox::ActionRole);
    showFile_->setObjectName(QStringLiteral("showFileButton"));
    QPushButton* quit = addButton(tr("Quit"), QMessageBox::RejectRole);
    quit->setObjectName(QStringLiteral("quitButton"));
    setDefaultButton(quit);
    setEscapeButton(quit);
    // Show File keeps the dialog open: the person may look, then come back and quit.
    disconnect(showFile_, nullptr, this, nullptr);
    connect(showFile_, &QAbstractButton::clicked, this, [this] {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(storePath_).absolutePath()));
    });
}

QAbstractButton* StoreFailureDialog::addRecovery(const QString& title, std::function<void()> recover)
{
    QPushButton* button = addButton(title, QMessageBox::AcceptRole);
    connect(button, &QAbstractButton::clicked, this, [recover = std::move(recover)] { recover(); });
    return button;
}

void StoreFailureDialog::setRecoveryOffer(RecoveryOffer offer) { recoveryOffer() = std::move(offer); }

void StoreFailureDialog::present(const QString& message, const QString& storePath)
{
    // Without a screen (offscreen, minimal) nobody could answer: the stderr line has to do.
    const QString platform = QGuiApplication::platformName();
    if (!qApp || platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return;
    StoreFailureDialog dialog(message, storePath);
    if (recoveryOffer())
        recoveryOffer()(dialog, storePath);
    dialog.exec();
}
