#pragma once

#include "csv/CSVAlerts.h"

#include <QCoreApplication>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>

// The blocking dialogs of the interactive import and export, behind a seam so that tests
// drive the same code with a fake chooser and a fake alert sink.
class PorterDialogs {
public:
    virtual ~PorterDialogs() = default;
    // The file to import, or nothing when the user cancels.
    virtual std::optional<QString> chooseFileToImport() = 0;
    // Where to export, or nothing when the user cancels.
    virtual std::optional<QString> chooseFileToExport() = 0;
    // Shows a modal alert with one default button and returns when it is dismissed.
    virtual void showAlert(const CSVPorter::Alert& alert) = 0;
};

// The real dialogs: QFileDialog and QMessageBox, modal to `parent` (or the active window).
class WidgetPorterDialogs final : public PorterDialogs {
    Q_DECLARE_TR_FUNCTIONS(WidgetPorterDialogs)

public:
    explicit WidgetPorterDialogs(QWidget* parent = nullptr);

    std::optional<QString> chooseFileToImport() override;
    std::optional<QString> chooseFileToExport() override;
    void showAlert(const CSVPorter::Alert& alert) override;

    static QString importMessage();
    static QString importFilters();
    static QString exportFilters();
    // "corvanta-2026-12-06.csv": today's local date, so exports of different days do not collide.
    static QString proposedExportName();

private:
    QWidget* parentWidget() const;
    QPointer<QWidget> parent_;
};
