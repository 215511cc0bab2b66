#pragma once

#include "model/Result.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace CSVPorter {

// The whole file, or nothing when it cannot be opened or read.
std::optional<QByteArray> readWholeFile(const QString& path);

// Replaces the file at `path` with `bytes` through a temporary file in the same folder; on
// failure the file that was there is untouched. The error's message says why.
Result<void> writeFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace CSVPorter
