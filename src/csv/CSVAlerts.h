#pragma once

#include <QString>

#include <cstdint>

// The texts of every alert the CSV import and export show, in one place.
namespace CSVPorter {

enum class AlertStyle { Warning, Informational };

// A modal alert's texts: the message text (the box's text) and the informative text.
struct Alert {
    QString messageText;
    QString informativeText;
    AlertStyle style = AlertStyle::Warning;
    friend bool operator==(const Alert&, const Alert&) = default;
};

// The result of an import: how many entries, how many rows skipped.
Alert resultAlert(std::int64_t imported, std::int64_t skipped);
// "CSV Error" alerts.
// "Could not read file.", then on a line of its own `description` (which file, and why) when given.
Alert readFailureAlert(const QString& description = {});
Alert saveFailureAlert(const QString& description);
Alert exportFailureAlert(const QString& description);

} // namespace CSVPorter
