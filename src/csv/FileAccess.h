#pragma once

#include "model/Result.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// Reading and writing whole files on behalf of a person who named them. Every error's
// message names the file and says why in words ("“/tmp/in.csv”: permission denied."); its
// reason is the why alone, its details the path.
namespace CSVPorter {

// Reading stops here: text of this size would not fit in memory once imported anyway.
inline constexpr std::int64_t readLimitBytes = std::int64_t(2) << 30; // 2 GiB

// The whole of a regular file or a pipe (a named pipe, /dev/stdin), at most `limit` bytes.
// Refused without reading: something that does not exist, a folder, a device, a socket, a
// file larger than `limit`; a pipe is read up to `limit` and no further.
Result<QByteArray> readFile(const QString& path, std::int64_t limit = readLimitBytes);

// "“path”: reason." — the message of a failure to read `path` ("Reason." without one).
Error readFailure(const QString& path, const QString& reason);

// Writes `bytes` to `path` according to what is there:
// - nothing, a regular file, or a symbolic link to one: a temporary file in the same folder
//   renamed over it (a link is kept and its target replaced); on failure the file that was
//   there is untouched;
// - a character device, a named pipe, standard output or error (/dev/stdout, /dev/fd/N):
//   written straight into, never replaced;
// - a folder, a socket or anything else: refused, nothing written.
Result<void> writeFile(const QString& path, const QByteArray& bytes);

} // namespace CSVPorter
