#include "csv/FileAccess.h"

#include <QFile>
#include <QSaveFile>

namespace CSVPorter {

std::optional<QByteArray> readWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

Result<void> writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Error{file.errorString(), path};
    // QSaveFile::commit() does not notice a final flush that wrote only part of the buffer
    // (disk full, file size limit) and would replace the file with a truncated one: flush
    // here, where a short write is reported.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Error{reason, path};
    }
    if (!file.commit())
        return Error{file.errorString(), path};
    return {};
}

} // namespace CSVPorter
