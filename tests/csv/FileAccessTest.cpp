// Reading and writing what a person names: regular files, links, pipes and devices. Devices,
// pipes and sockets are scratch nodes made in a temporary folder, never the machine's own /dev.
#include "csv/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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
    // A node of `type` (S_IFIFO, S_IFSOCK, or S_IFCHR with the kernel's numbers 1,`minor`:
    // 3 discards what is written, 5 gives endless zeros, 7 is always full); empty when such
    // nodes cannot be made here.
    QString node(const char* name, mode_t type, unsigned minor = 0) const
    {
        const bool made = ::mknod(QFile::encodeName(path(name)).constData(), type | 0600, type == S_IFCHR ? makedev(1, minor) : 0) == 0;
        return made ? path(name) : QString();
    }
    static mode_t kind(const QString& where)
    {
        struct stat found {};
        ::lstat(QFile::encodeName(where).constData(), &found);
        return found.st_mode & S_IFMT;
    }
    static QByteArray contents(const QString& where)
    {
        Result<QByteArray> read = readFile(where); // once: a pipe gives its bytes once
        return read.ok() ? read.value() : "?";
    }
    QTemporaryDir folder_;
};

TEST_F(FileAccessTest, ReadFailuresNameTheFileAndTheReason)
{
    const struct {
        QString path;
        const char* reason;
        std::int64_t limit = readLimitBytes;
    } cases[] = {
        {path("missing.csv"), "not found"},
        {folder_.path(), "a folder, not a file"},
        {node("socket", S_IFSOCK), "a socket, not a file"},
        {file("big.csv", "0123456789"), "too large for memory (over 5 bytes)", 5},
        {node("zero", S_IFCHR, 5), "a device, not a file"},
    };
    for (const auto& [where, reason, limit] : cases) {
        if (where.isEmpty())
            continue; // no such nodes here
        const Result<QByteArray> read = readFile(where, limit);
        ASSERT_FALSE(read.ok()) << reason;
        EXPECT_EQ(read.error().message, QStringLiteral("“%1”: %2.").arg(where, QString::fromUtf8(reason)));
    }
}

TEST_F(FileAccessTest, PipesAreReadToTheirEndOrStoppedAtTheLimit)
{
    const QString finite = node("finite", S_IFIFO);
    std::thread writer([&] { QFile out(finite); out.open(QIODevice::WriteOnly) && out.write("Date,Balance\n2026-06-04,1\n"); });
    const Result<QByteArray> read = readFile(finite);
    writer.join();
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.value(), QByteArray("Date,Balance\n2026-06-04,1\n"));
    const QString endless = node("endless", S_IFIFO);
    std::thread flood([&] {
        const int fd = ::open(QFile::encodeName(endless).constData(), O_WRONLY);
        const QByteArray block(64 * 1024, '0');
        while (::write(fd, block.constData(), static_cast<std::size_t>(block.size())) > 0) {}
        ::close(fd);
    });
    const Result<QByteArray> stopped = readFile(endless, 1 << 20);
    flood.join();
    ASSERT_FALSE(stopped.ok());
    EXPECT_EQ(stopped.error().reason, QStringLiteral("too large for memory (over 1 MiB)"));
}

TEST_F(FileAccessTest, FilesAndLinksAreReplacedDevicesAndPipesWrittenInPlaceTheRestRefused)
{
    const QByteArray text("Date,Balance,Adjustment,Transfers,Note\n2026-06-04,1.0,0.0,,");
    const QString target = file("target.csv", "old");
    ASSERT_TRUE(QFile::link(target, path("link.csv")));
    ASSERT_TRUE(writeFile(path("link.csv"), text).ok());
    EXPECT_EQ(std::pair(kind(path("link.csv")), contents(target)), std::pair(mode_t(S_IFLNK), text));
    const QString pipe = node("pipe", S_IFIFO);
    QByteArray received;
    std::thread reader([&] { received = contents(pipe); });
    ASSERT_TRUE(writeFile(pipe, text).ok());
    reader.join();
    EXPECT_EQ(std::pair(kind(pipe), received), std::pair(mode_t(S_IFIFO), text));
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ASSERT_TRUE(writeFile(QStringLiteral("/dev/fd/%1").arg(ends[1]), text).ok()); // as /dev/stdout is
    ::close(ends[1]);
    QByteArray streamed(text.size() + 1, '\0');
    EXPECT_EQ(::read(ends[0], streamed.data(), static_cast<std::size_t>(streamed.size())), text.size());
    ::close(ends[0]);
    ASSERT_TRUE(QDir(folder_.path()).mkdir(QStringLiteral("folder")));
    for (const auto& [where, reason] : {std::pair{path("folder"), "a folder, not a file"}, std::pair{node("socket", S_IFSOCK), "a socket, not a file"}}) {
        const mode_t before = kind(where);
        const Result<void> written = writeFile(where, text);
        ASSERT_FALSE(written.ok()) << reason;
        EXPECT_EQ(written.error().message, QStringLiteral("“%1”: %2.").arg(where, QString::fromUtf8(reason)));
        EXPECT_EQ(kind(where), before);
    }
    const QString sink = node("null", S_IFCHR, 3);
    const QString full = node("full", S_IFCHR, 7);
    if (sink.isEmpty())
        GTEST_SKIP() << "no device nodes can be made here";
    EXPECT_TRUE(writeFile(sink, text).ok());
    EXPECT_EQ(writeFile(full, text).error().reason, QStringLiteral("the disk is full"));
    EXPECT_EQ(std::pair(kind(sink), kind(full)), std::pair(mode_t(S_IFCHR), mode_t(S_IFCHR)));
}

} // namespace
