// Ledgers not read whole, leftovers of a cut rewrite, a linked ledger, a failing registry.
#include "support/DocTest.h"
#include "support/RegistryProbe.h"

#include "platform/Device.h"
#include "platform/Faults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace bytes;
namespace faults = plat::faults;

namespace {

const QString kAside = QStringLiteral(".20080310-123456.bak");

// 6000 records: two blocks to read, the reserved header word 9.
const QByteArray kLarge = Header(6000, 9) + CurrentLedger(6000).mid(16);

struct UnreadLedger {
    const char* name;
    QByteArray bytes;
    int kept;                            // records taken from the file
    int code = plat::ERROR_INVALID_DATA; // the one error shown, 0 for none
    faults::Op op = faults::Op::Read;
    int nth = 0;                           // the operation that fails, 0 for none
    std::uint32_t reserved = kept ? 0 : 1; // the header word the rewrite keeps
};

// Reads: 1 = the first four bytes, 2 = the header words (or the old count),
// 3 = the first block of records, 4 = the second block.
const UnreadLedger kUnread[] = {
    {"SoundOldLayoutIsRewrittenInTheCurrentOne", OldLedger(3, 3), 3, 0},
    {"ZeroedHeader", CurrentLedger(5).replace(0, 4, QByteArray(4, '\0')), 0},
    {"AlteredMagic", CurrentLedger(5).replace(0, 4, "TALZ"), 0},
    {"HeaderCutShort", Header(0).left(10), 0},
    {"OldLayoutLongerThanItsCount", OldLedger(2, 3), 0},
    {"CountBeyondTheRecords", Header(5) + CurrentLedger(4).mid(16, 3 * 184 + 100), 3},
    {"OldCountBeyondTheRecords", OldLedger(4, 2), 2},
    {"ZeroTail", CurrentLedger(3) + QByteArray(3 * 184, '\0'), 3},
    {"ForeignRecordAfterAnAppendedOne",
     CurrentLedger(4).replace(12, 1, "\3", 1) + Record(Numbered(9)), 4},
    {"OpenDenied", kLarge, 0, plat::ERROR_SHARING_VIOLATION, faults::Op::Open, 1},
    {"MagicUnreadable", kLarge, 0, plat::ERROR_READ_FAULT, faults::Op::Read, 1},
    {"HeaderUnreadable", kLarge, 0, plat::ERROR_READ_FAULT, faults::Op::Read, 2},
    {"OldCountUnreadable", OldLedger(6000, 6000), 0, plat::ERROR_READ_FAULT, faults::Op::Read, 2,
     0},
    {"FirstRecordsUnreadable", kLarge, 0, plat::ERROR_READ_FAULT, faults::Op::Read, 3, 0},
    {"LaterRecordsUnreadable", kLarge, 5600, plat::ERROR_READ_FAULT, faults::Op::Read, 4, 9},
    {"FirstNodeNotAllocated", kLarge, 0, plat::ERROR_NOT_ENOUGH_MEMORY, faults::Op::Alloc, 1, 0},
    {"LaterNodeNotAllocated", kLarge, 2, plat::ERROR_NOT_ENOUGH_MEMORY, faults::Op::Alloc, 3, 9},
};

class UnreadLedgerTest : public DocTest, public ::testing::WithParamInterface<UnreadLedger> {};

// The next save writes exactly the list, keeping a file not read whole aside
// first, never appending to it. A sound file among them is not kept aside.
TEST_P(UnreadLedgerTest, ShowsOneErrorKeepsWhatWasReadAndIsKeptAsideBeforeTheRewrite) {
    const UnreadLedger& c = GetParam();
    const auto doc = openDoc(); // on an empty folder: nothing to load yet
    writeData(datafile::kLedger, c.bytes);
    if (c.nth) faults::FailNth(c.op, c.nth, static_cast<plat::DWORD>(c.code));
    EXPECT_EQ(doc->LoadLedger(), c.kept > 0); // true when some records were read
    EXPECT_EQ(errorCodes(), c.code ? std::vector<int>{c.code} : std::vector<int>{});
    EXPECT_EQ(categories(*doc), numberedCategories(1, c.kept));
    EXPECT_EQ(doc->Balance(), -50LL * c.kept * (c.kept + 1));
    EXPECT_EQ(doc->FileUnread(), c.code != 0);
    // Only a file read whole records its folder.
    EXPECT_EQ(regprobe::Setting(QStringLiteral("DataFile")) == regprobe::Value{}, c.code != 0);

    ASSERT_TRUE(doc->AddRecord(record(Numbered(c.kept + 1))));
    EXPECT_EQ(doc->NextLedgerSave(), CMyTALYDoc::LedgerSave::Rewrite);
    ASSERT_TRUE(doc->SaveLedger());
    // Not EXPECT_EQ: a megabyte to print.
    EXPECT_TRUE(readFile(ledgerPath() + kAside) == (c.code ? c.bytes : QByteArray()));
    EXPECT_TRUE(readFile(ledgerPath()) ==
                Header(c.kept + 1, c.reserved) + CurrentLedger(c.kept + 1).mid(16));
}

INSTANTIATE_TEST_SUITE_P(Files, UnreadLedgerTest, ::testing::ValuesIn(kUnread), CaseName());

class DamagedFilesTest : public DocTest {};

// An unreadable registry is shown, left alone, and does not fail the save.
TEST_F(DamagedFilesTest, LeftoversGoALinkedLedgerStaysLinkedAndAnUnreadableRegistryStays) {
    // A link to itself cannot be opened, whoever runs the tests.
    ASSERT_TRUE(QFile::link(QStringLiteral("registry.reg"), plat::RegistryFilePath()));
    const QString newLedger = datafile::kLedger + QStringLiteral(".tb-new");
    const QString newRemarks = datafile::kRemarkFolder + QStringLiteral(u"\\食費.DAT.tb-new");
    writeData(newLedger, CurrentLedger(2).left(200)); // makes the folder
    writeData(newRemarks, "x");
    const QString elsewhere = QStringLiteral("\\elsewhere.DAT");
    writeFile(elsewhere, CurrentLedger(2));
    ASSERT_TRUE(QFile::link(host(elsewhere), host(ledgerPath())));

    const auto doc = openDoc();
    EXPECT_EQ(errorCodes(), std::vector<int>{plat::ERROR_PATH_NOT_FOUND});
    EXPECT_FALSE(fileExists(inFolder(newLedger)) || fileExists(inFolder(newRemarks)));
    EXPECT_EQ(doc->Count(), 2u);
    EXPECT_EQ(readFile(ledgerPath()), CurrentLedger(2));
    ASSERT_TRUE(doc->DeleteRecord(1)); // a full rewrite
    doc->m_nYearStartMonth = 4;
    EXPECT_TRUE(doc->SaveAll());
    EXPECT_TRUE(QFileInfo(host(ledgerPath())).isSymLink() &&
                QFileInfo(plat::RegistryFilePath()).isSymLink());
    Entry second = Numbered(2);
    second.id = 1;
    EXPECT_EQ(readFile(elsewhere), Header(1) + Record(second));
}

TEST_F(DamagedFilesTest, FailedSettingsSaveFailsSaveAllAfterTheLedgerIsSaved) {
    const auto doc = openDoc();
    ASSERT_TRUE(doc->AddRecord(record(Numbered(1))));
    doc->m_nYearStartMonth = 4;
    // A folder where the new registry file would go makes its write fail for real.
    ASSERT_TRUE(QDir().mkdir(plat::RegistryFilePath() + QStringLiteral(".tb-new")));

    EXPECT_FALSE(doc->SaveAll());
    EXPECT_EQ(errorCodes(), std::vector<int>{plat::ERROR_ACCESS_DENIED});
    EXPECT_EQ(readFile(ledgerPath()), CurrentLedger(1));
}

} // namespace
