// Reading and writing what a person names: regular files, links, pipes and devices. Devices
// and pipes are scratch nodes made in a temporary folder, never the machine's own /dev.
#include "csv/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/socket.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

using namespace CSVPorter;

namespace {

class FileAccessTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { std::signal(SIGPIPE, SIG_IGN); } // a writer thread whose reader left

    QString path(const char* name) const { return folder_.filePath(QString::fromUtf8(name)); }
    QString file(const char* name, const QByteArray& bytes) const
    {
        QFile out(path(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
        return out.fileName();
    }
    QString fifo(const char* name) const
    {
        EXPECT_EQ(::mkfifo(QFile::encodeName(path(name)).constData(), 0600), 0);
        return path(name);
    }
    // A character device node with the numbers of a kernel device (1,3 discards what is
    // written; 1,5 gives endless zeros; 1,7 is always full); empty when nodes cannot be made.
    QString device(const char* name, unsigned minor) const
    {
        return ::mknod(QFile::encodeName(path(name)).constData(), S_IFCHR | 0600, makedev(1, minor)) == 0 ? path(name) : QString();
    }
    // A listening-capable socket node bound at `name`.
    QString socketNode(const char* name) const
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray where = QFile::encodeName(path(name));
        std::memcpy(address.sun_path, where.constData(), std::min<std::size_t>(where.size(), sizeof address.sun_path - 1));
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        ::close(fd); // the node stays
        return path(name);
    }
    static mode_t kind(const QString& where)
    {
        struct stat found {};
        ::lstat(QFile::encodeName(where).constData(), &found);
        return found.st_mode & S_IFMT;
    }
    static QByteArray contents(const QString& where)
    {
        QFile in(where);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("?");
    }

    QTemporaryDir folder_;
};

TEST_F(FileAccessTest, ReadFailuresNameTheFileAndTheReason)
{
    const QString socket = socketNode("socket");
    const QString zeros = device("zero", 5);
    const struct {
        QString path;
        const char* reason;
        std::int64_t limit = readLimitBytes;
    } cases[] = {
        {path("missing.csv"), "not found"},
        {folder_.path(), "a folder, not a file"},
        {socket, "a socket, not a file"},
        {file("big.csv", "0123456789"), "too large for memory (over 5 bytes)", 5},
        {zeros, "a device, not a file"},
    };
    for (const auto& [where, reason, limit] : cases) {
        if (where.isEmpty())
            continue; // no device nodes here
        const Result<QByteArray> read = readWholeFile(where, limit);
        ASSERT_FALSE(read.ok()) << reason;
        EXPECT_EQ(read.error().reason.toStdString(), reason);
        EXPECT_EQ(read.error().message, QStringLiteral("“%1”: %2.").arg(where, QString::fromUtf8(reason)));
    }
    if (::geteuid() != 0) { // root reads anything
        const QString locked = file("locked.csv", "x");
        QFile::setPermissions(locked, QFileDevice::WriteOwner);
        EXPECT_EQ(readWholeFile(locked).error().reason, QStringLiteral("permission denied"));
    }
}

TEST_F(FileAccessTest, PipesAreReadToTheirEndOrStoppedAtTheLimit)
{
    const QString finite = fifo("finite");
    std::thread writer([&] { QFile out(finite); out.open(QIODevice::WriteOnly) && out.write("Date,Balance\n2026-06-04,1\n"); });
    const Result<QByteArray> read = readWholeFile(finite);
    writer.join();
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.value(), QByteArray("Date,Balance\n2026-06-04,1\n"));

    const QString endless = fifo("endless");
    std::thread flood([&] {
        const int fd = ::open(QFile::encodeName(endless).constData(), O_WRONLY);
        const QByteArray block(64 * 1024, '0');
        while (::write(fd, block.constData(), static_cast<std::size_t>(block.size())) > 0) {}
        ::close(fd);
    });
    const Result<QByteArray> stopped = readWholeFile(endless, 1 << 20);
    flood.join();
    ASSERT_FALSE(stopped.ok());
    EXPECT_EQ(stopped.error().reason, QStringLiteral("too large for memory (over 1 MiB)"));
}

TEST_F(FileAccessTest, FilesAndLinksAreReplacedWhileDevicesAndPipesAreWrittenInPlace)
{
    const QByteArray text("Date,Balance,Adjustment,Transfers,Note\n2026-06-04,1.0,0.0,,");
    const QString regular = file("old.csv", "old");
    ASSERT_TRUE(writeFile(regular, text).ok());
    EXPECT_EQ(contents(regular), text);

    const QString target = file("target.csv", "old");
    ASSERT_TRUE(QFile::link(target, path("link.csv")));
    ASSERT_TRUE(writeFile(path("link.csv"), text).ok());
    EXPECT_EQ(kind(path("link.csv")), S_IFLNK);
    EXPECT_EQ(contents(target), text);

    const QString pipe = fifo("pipe");
    QByteArray received;
    std::thread reader([&] { received = contents(pipe); });
    ASSERT_TRUE(writeFile(pipe, text).ok());
    reader.join();
    EXPECT_EQ(received, text);
    EXPECT_EQ(kind(pipe), S_IFIFO);

    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ASSERT_TRUE(writeFile(QStringLiteral("/dev/fd/%1").arg(ends[1]), text).ok()); // as /dev/stdout is
    ::close(ends[1]);
    QByteArray streamed(text.size() + 1, '\0');
    EXPECT_EQ(::read(ends[0], streamed.data(), static_cast<std::size_t>(streamed.size())), text.size());
    ::close(ends[0]);

    const QString sink = device("null", 3);
    const QString full = device("full", 7);
    if (sink.isEmpty())
        GTEST_SKIP() << "no device nodes can be made here";
    EXPECT_TRUE(writeFile(sink, text).ok());
    EXPECT_EQ(writeFile(full, text).error().reason, QStringLiteral("the disk is full"));
    EXPECT_EQ(std::pair(kind(sink), kind(full)), std::pair(mode_t(S_IFCHR), mode_t(S_IFCHR)));
}

TEST_F(FileAccessTest, FoldersAndSocketsAreRefusedAndLeftAlone)
{
    const QString socket = socketNode("socket");
    ASSERT_TRUE(QDir(folder_.path()).mkdir(QStringLiteral("folder")));
    for (const auto& [where, reason] : {std::pair{socket, "a socket, not a file"}, std::pair{path("folder"), "a folder, not a file"}}) {
        const mode_t before = kind(where);
        const Result<void> written = writeFile(where, "text");
        ASSERT_FALSE(written.ok()) << reason;
        EXPECT_EQ(written.error().message, QStringLiteral("“%1”: %2.").arg(where, QString::fromUtf8(reason)));
        EXPECT_EQ(kind(where), before);
    }
}

} // namespace
