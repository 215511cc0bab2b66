#include "csv/FileAccess.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace CSVPorter {
namespace {
struct Words {
    Q_DECLARE_TR_FUNCTIONS(FileAccess)
};

QString quoted(const QString& path) { return QStringLiteral("“%1”").arg(path); }

QString systemReason(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR: return Words::tr("not found");
    case EACCES:
    case EPERM: return Words::tr("permission denied");
    case ENOSPC:
    case EDQUOT: return Words::tr("the disk is full");
    case ENOMEM: return Words::tr("too large for memory");
    default: break;
    }
    QString text = qt_error_string(error);
    if (!text.isEmpty())
        text[0] = text[0].toLower();
    return text;
}

// What a node other than a regular file or a pipe is, for the message that refuses it.
QString notAFile(mode_t mode)
{
    if (S_ISDIR(mode))
        return Words::tr("a folder, not a file");
    if (S_ISSOCK(mode))
        return Words::tr("a socket, not a file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return Words::tr("a device, not a file");
    return Words::tr("not a regular file");
}

Error writeFailure(const QString& path, const QString& reason)
{
    return Error{QStringLiteral("%1: %2.").arg(quoted(path), reason), path, reason};
}

QString tooLarge(std::int64_t limit)
{
    return Words::tr("too large for memory (over %1)").arg(QLocale::c().formattedDataSize(limit, 0, QLocale::DataSizeIecFormat));
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// The descriptor a path names when it is one of this process's own streams (/dev/stdout,
// /dev/stderr, /dev/fd/N, /proc/self/fd/N): opening the path anew would start at the
// beginning of whatever the stream is, or replace it.
std::optional<int> ownStream(const QString& path)
{
    if (path == QLatin1String("/dev/stdout"))
        return STDOUT_FILENO;
    if (path == QLatin1String("/dev/stderr"))
        return STDERR_FILENO;
    for (const QString& folder : {QStringLiteral("/dev/fd/"), QStringLiteral("/proc/self/fd/"),
                                  QStringLiteral("/proc/%1/fd/").arg(::getpid())}) {
        bool number = false;
        const int fd = path.startsWith(folder) ? path.mid(folder.size()).toInt(&number) : -1;
        if (number && fd >= 0)
            return fd;
    }
    return std::nullopt;
}

// All of `bytes` into `fd`. A reader that has gone away is an error, not the end of the
// process: SIGPIPE is held back for the write and a pending one taken off again.
Result<void> writeAll(int fd, const QByteArray& bytes, const QString& path)
{
    sigset_t pipeSignal;
    sigset_t previous;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    sigset_t pendingBefore;
    sigpending(&pendingBefore);
    const bool wasPending = sigismember(&pendingBefore, SIGPIPE) == 1;

    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    int failure = 0;
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<std::size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            failure = written < 0 ? errno : EIO;
            break;
        }
        data += written;
        left -= written;
    }
    if (failure == EPIPE && !wasPending) {
        const timespec immediately{0, 0};
        sigtimedwait(&pipeSignal, nullptr, &immediately);
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (failure != 0)
        return writeFailure(path, failure == EPIPE ? Words::tr("the reading end was closed") : systemReason(failure));
    return {};
}

// A device or a named pipe is written into as it is: it is never created, truncated or replaced.
Result<void> writeInPlace(const QString& path, const QByteArray& bytes)
{
    const Descriptor fd(::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0)
        return writeFailure(path, systemReason(errno));
    struct stat opened {};
    if (::fstat(fd.get(), &opened) != 0)
        return writeFailure(path, systemReason(errno));
    if (!S_ISCHR(opened.st_mode) && !S_ISFIFO(opened.st_mode)) // changed since it was looked at
        return writeFailure(path, notAFile(opened.st_mode));
    return writeAll(fd.get(), bytes, path);
}

Result<void> replaceAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return writeFailure(path, file.errorString());
    // QSaveFile::commit() does not notice a final flush that wrote only part of the buffer
    // (disk full, file size limit) and would replace the file with a truncated one: flush
    // here, where a short write is reported.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return writeFailure(path, reason);
    }
    if (!file.commit())
        return writeFailure(path, file.errorString());
    return {};
}

} // namespace

Error readFailure(const QString& path, const QString& reason)
{
    if (path.isEmpty())
        return Error{reason.left(1).toUpper() + reason.mid(1) + QLatin1Char('.'), path, reason};
    return Error{QStringLiteral("%1: %2.").arg(quoted(path), reason), path, reason};
}

Result<QByteArray> readFile(const QString& path, std::int64_t limit)
{
    // Looked at before it is opened: opening a device can have effects of its own.
    const QByteArray name = QFile::encodeName(path);
    const auto readable = [](mode_t mode) { return S_ISREG(mode) || S_ISFIFO(mode); };
    struct stat found {};
    if (::stat(name.constData(), &found) != 0)
        return readFailure(path, systemReason(errno));
    if (!readable(found.st_mode))
        return readFailure(path, notAFile(found.st_mode));
    if (found.st_size > limit)
        return readFailure(path, tooLarge(limit));
    const Descriptor fd(::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
    struct stat opened {};
    if (fd.get() < 0 || ::fstat(fd.get(), &opened) != 0)
        return readFailure(path, systemReason(errno));
    if (!readable(opened.st_mode)) // replaced since it was looked at
        return readFailure(path, notAFile(opened.st_mode));

    QByteArray bytes;
    if (S_ISREG(opened.st_mode))
        bytes.reserve(static_cast<qsizetype>(opened.st_size) + 1); // + 1: the read that finds the end
    constexpr qsizetype chunk = 1 << 20;
    for (;;) {
        const qsizetype start = bytes.size();
        qsizetype room = std::min<std::int64_t>(chunk, limit + 1 - start);
        if (bytes.capacity() > start) // no copy of what was read to make room for more
            room = std::min(room, bytes.capacity() - start);
        bytes.resize(start + room);
        const ssize_t got = ::read(fd.get(), bytes.data() + start, static_cast<std::size_t>(room));
        bytes.resize(start + std::max<qsizetype>(got, 0));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return readFailure(path, systemReason(errno));
        if (got == 0)
            return bytes;
        if (bytes.size() > limit) // a stream that does not end, or a file that grew
            return readFailure(path, tooLarge(limit));
    }
}

Result<void> writeFile(const QString& path, const QByteArray& bytes)
{
    if (const std::optional<int> stream = ownStream(path))
        return writeAll(*stream, bytes, path);
    struct stat target {};
    if (::stat(QFile::encodeName(path).constData(), &target) != 0) {
        if (errno == ENOENT)
            return replaceAtomically(path, bytes); // a new file
        return writeFailure(path, systemReason(errno));
    }
    if (S_ISREG(target.st_mode))
        return replaceAtomically(path, bytes);
    if (S_ISCHR(target.st_mode) || S_ISFIFO(target.st_mode))
        return writeInPlace(path, bytes);
    return writeFailure(path, notAFile(target.st_mode));
}

} // namespace CSVPorter
