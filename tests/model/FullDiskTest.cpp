// A store on a disk with no room left: it can still be read by every kind of connection, and
// nothing is created beside it. The disk is a small tmpfs mounted for the test (root only).
#include "model/ObjectContext.h"
#include "model/PersistentContainer.h"
#include "model/StoredEntries.h"
#include "StoreTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/mount.h>

namespace {

class FullDiskTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (::mount("tmpfs", QFile::encodeName(disk_.path()).constData(), "tmpfs", 0, "size=1m") != 0)
            GTEST_SKIP() << "a scratch tmpfs cannot be mounted here (needs root)";
        mounted_ = true;
    }
    void TearDown() override { if (mounted_) ::umount2(QFile::encodeName(disk_.path()).constData(), MNT_DETACH); }
    QString storePath() const { return disk_.filePath(QStringLiteral("Corvanta.sqlite")); }
    QStringList filesOnDisk() const { return QDir(disk_.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
    void fillDisk() const
    {
        QFile filler(disk_.filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(1024, 'x')) == 1024) {}
        while (filler.write("x", 1) == 1) {}
    }
    QTemporaryDir disk_;
    bool mounted_ = false;
};

TEST_F(FullDiskTest, ReadingWorksAndCreatesNothing)
{
    {
        auto opened = PersistentContainer::open(storePath());
        ASSERT_TRUE(opened.ok()) << opened.error().message.toStdString();
        for (int day = 0; day < 3; ++day)
            addEntry(opened.value()->viewContext(), day * 86'400'000LL, 100.0 + day);
        ASSERT_TRUE(opened.value()->viewContext().save().ok());
    } // the last connection closed: the log is copied in and removed
    ASSERT_EQ(filesOnDisk(), QStringList{QStringLiteral("Corvanta.sqlite")});
    fillDisk();
    const QStringList before = filesOnDisk();
    auto opened = PersistentContainer::open(storePath());
    ASSERT_TRUE(opened.ok()) << opened.error().message.toStdString();
    PersistentContainer& container = *opened.value();
    EXPECT_EQ(fetchedBalances(container.viewContext()), (std::vector<double>{100, 101, 102}));
    EXPECT_EQ(storedCount(container), 3);
    EXPECT_EQ(readStoredStatsInputs(storePath()).value().size(), 3u);
    // A change cannot be stored, and says why in words.
    addEntry(container.viewContext(), 0, 1);
    const Result<void> saved = container.viewContext().save();
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(saved.error().reason, QStringLiteral("the disk is full"));
    EXPECT_EQ(saved.error().message, QStringLiteral("The changes could not be saved (the disk is full)"));
    EXPECT_EQ(filesOnDisk(), before);
}

} // namespace
