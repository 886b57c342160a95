// Atomic replacement: old or new contents after a cut at any byte, never a mix,
// and the target's lock held from open to commit.
#include "support/DeviceTest.h"

#include "platform/Faults.h"
#include "platform/Files.h"

#include <QDir>
#include <memory>

using namespace plat;
using namespace Qt::StringLiterals;

namespace {

class AtomicFileTest : public DeviceTest {
protected:
    const QString target = u"\\My Documents\\Tallybook\\収支.DAT"_s;
    const QByteArray oldBytes = "OLD CONTENTS";
    const QByteArray newBytes{"TALY\x01\x00\x00\x00 the new, longer contents", 33};

    void SetUp() override {
        DeviceTest::SetUp();
        ASSERT_TRUE(QDir().mkpath(host(u"\\My Documents\\Tallybook"_s)));
    }

    // Writes newBytes in three pieces, the way a header and records go out.
    bool replace() {
        AtomicFile file;
        return file.open(target) && file.write(newBytes.constData(), 4) &&
               file.write(newBytes.constData() + 4, 10) &&
               file.write(newBytes.constData() + 14,
                          static_cast<std::uint32_t>(newBytes.size() - 14)) &&
               file.commit();
    }
    QStringList folderEntries() {
        return QDir(host(u"\\My Documents\\Tallybook"_s)).entryList(QDir::Files);
    }
};

TEST_F(AtomicFileTest, CutAtEveryByteKeepsOldOrNewContents) {
    for (qsizetype cut = 0; cut <= newBytes.size() + 1; ++cut) {
        SCOPED_TRACE(cut);
        faults::Reset();
        writeFile(target, oldBytes);
        faults::CutWritesAfter(cut);
        const bool ok = replace();
        EXPECT_EQ(ok, cut >= newBytes.size());
        EXPECT_EQ(readFile(target), ok ? newBytes : oldBytes);
    }
    EXPECT_EQ(folderEntries(), QStringList{u"収支.DAT"_s});
}

TEST_F(AtomicFileTest, CommitAfterACutElsewhereKeepsOldContents) {
    writeFile(target, oldBytes);
    AtomicFile file;
    ASSERT_TRUE(file.open(target));
    ASSERT_TRUE(file.write(newBytes.constData(), static_cast<std::uint32_t>(newBytes.size())));
    faults::CutWritesAfter(1);
    File other;
    ASSERT_TRUE(
        other.open(u"\\other.dat"_s, GENERIC_WRITE, FILE_SHARE_NONE, Disposition::CreateAlways));
    EXPECT_FALSE(other.write("xy", 2));
    EXPECT_FALSE(file.commit());
    EXPECT_EQ(GetLastError(), ERROR_DISK_FULL);
    EXPECT_EQ(readFile(target), oldBytes);
}

TEST_F(AtomicFileTest, AbandonAndDestructionKeepOldContents) {
    writeFile(target, oldBytes);
    auto file = std::make_unique<AtomicFile>();
    ASSERT_TRUE(file->open(target));
    ASSERT_TRUE(file->write("partial", 7));
    file.reset();
    EXPECT_EQ(readFile(target), oldBytes);
    AtomicFile abandoned;
    ASSERT_TRUE(abandoned.open(target));
    ASSERT_TRUE(abandoned.write("partial", 7));
    abandoned.abandon();
    EXPECT_FALSE(abandoned.commit());
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(readFile(target), oldBytes);
    EXPECT_EQ(folderEntries(), QStringList{u"収支.DAT"_s});
}

TEST_F(AtomicFileTest, LockConflictsWithANoSharingFileBothWays) {
    writeFile(target, oldBytes);
    {
        File holder;
        ASSERT_TRUE(holder.open(u"\\my documents\\TALLYBOOK\\収支.dat"_s, GENERIC_READ,
                                FILE_SHARE_NONE, Disposition::OpenExisting));
        AtomicFile file;
        EXPECT_FALSE(file.open(target));
        EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    }
    AtomicFile file;
    ASSERT_TRUE(file.open(target));
    File other;
    EXPECT_FALSE(other.open(target, GENERIC_READ, FILE_SHARE_READ, Disposition::OpenExisting));
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    ASSERT_TRUE(file.commit());
    EXPECT_TRUE(other.open(target, GENERIC_READ, FILE_SHARE_NONE, Disposition::OpenExisting));
    // The lock survives the replace: it belongs to the path.
    AtomicFile second;
    EXPECT_FALSE(second.open(target));
}

TEST_F(AtomicFileTest, OpenFailures) {
    AtomicFile file;
    EXPECT_FALSE(file.open(u"\\no such folder\\a.dat"_s));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(file.open(u"\\My Documents"_s));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    faults::FailNth(faults::Op::Open, 1, ERROR_ACCESS_DENIED);
    EXPECT_FALSE(file.open(target));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(file.write("x", 1));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

} // namespace
