// Loading and saving "\\収支.DAT" from hand-made bytes: both layouts, the
// append-only save, every failure path, and files cut short or kept aside.
#include "support/DocTest.h"

#include "platform/Faults.h"
#include "platform/Files.h"
#include "platform/Registry.h"

#include <QFileInfo>
#include <sys/stat.h>

using namespace bytes;
namespace faults = plat::faults;

namespace {

class LedgerFileTest : public DocTest {};

TEST_F(LedgerFileTest, ReadsEveryFieldOfTheRecordAndRenumbers) {
    Entry e;
    e.id = 7; // stored ids are replaced by positions
    e.category = QStringLiteral(u"交通費");
    e.remark = QStringLiteral(u"バス");
    e.payee = QStringLiteral(u"市営バス");
    e.payMethod = QStringLiteral(u"ＩＣカード");
    e.year = 2008, e.month = 10, e.weekday = 5, e.day = 10;
    e.amount = -5000;
    Entry f = Numbered(9);
    f.amount = 3000;
    QByteArray file = Header(2, 0xABCD) + Record(e) + Record(f);
    file[16 + 152] = 0x5A; // a reserved byte is carried, not cleared
    writeData(datafile::kLedger, file);

    const auto doc = openDoc();
    ASSERT_EQ(doc->Count(), 2u);
    const InOutRecord& r = doc->Head()->record;
    EXPECT_EQ(r.id, 1);
    EXPECT_EQ(FieldText(r.category), e.category);
    EXPECT_EQ(FieldText(r.remark), e.remark);
    EXPECT_EQ(FieldText(r.payee), e.payee);
    EXPECT_EQ(FieldText(r.payMethod), e.payMethod);
    EXPECT_EQ(r.date.wYear, 2008);
    EXPECT_EQ(r.date.wMonth, 10);
    EXPECT_EQ(r.date.wDayOfWeek, 5);
    EXPECT_EQ(r.date.wDay, 10);
    EXPECT_EQ(r.amount, -5000);
    EXPECT_EQ(r.reserved[0], 0x5A);
    EXPECT_EQ(doc->Tail()->record.id, 2);
    EXPECT_EQ(doc->Balance(), 2000); // income 5000 − expense 3000
    EXPECT_EQ(doc->m_nFileVersion, 1u);
    EXPECT_EQ(doc->m_nFileReserved, 0xABCDu);
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(LedgerFileTest, OldLayoutLoadsAndTheFirstSaveRewritesItInTheCurrentLayout) {
    QByteArray file(2, '\0');
    PutU16(file, 0, 3);
    for (int n = 1; n <= 3; ++n)
        file += Record(Numbered(n), 152);
    writeData(datafile::kLedger, file);

    const auto doc = openDoc();
    ASSERT_EQ(doc->Count(), 3u);
    EXPECT_EQ(ids(*doc), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(categories(*doc), numberedCategories(1, 3));
    EXPECT_EQ(doc->m_nFileVersion, 0u);
    for (const LedgerNode* n = doc->Head(); n; n = n->next)
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(n->record.reserved), 32),
                  QByteArray(32, '\0'));

    ASSERT_TRUE(doc->AddRecord(record(Numbered(4))));
    ASSERT_TRUE(doc->SaveLedger());
    EXPECT_EQ(readFile(ledgerPath()), CurrentLedger(4));
}

TEST_F(LedgerFileTest, MissingFileIsCreatedEmptyWithoutAMessage) {
    const auto doc = openDoc();
    EXPECT_EQ(doc->Count(), 0u);
    EXPECT_EQ(doc->Head(), nullptr);
    EXPECT_TRUE(fileExists(ledgerPath()));
    EXPECT_EQ(readFile(ledgerPath()).size(), 0);
    EXPECT_TRUE(boxes.shown().empty());

    ASSERT_TRUE(doc->AddRecord(record(Numbered(1))));
    ASSERT_TRUE(doc->SaveLedger());
    EXPECT_EQ(readFile(ledgerPath()), CurrentLedger(1));
}

TEST_F(LedgerFileTest, AppendOnlySaveChangesTheCountAndAddsTwoRecords) {
    const QByteArray before = CurrentLedger(10);
    writeData(datafile::kLedger, before);
    const auto doc = openDoc();
    ASSERT_TRUE(doc->AddRecord(record(Numbered(11))));
    ASSERT_TRUE(doc->AddRecord(record(Numbered(12))));
    EXPECT_TRUE((doc->NextLedgerSave() == CMyTALYDoc::LedgerSave::Append));
    ASSERT_TRUE(doc->SaveLedger());

    const QByteArray after = readFile(ledgerPath());
    ASSERT_EQ(after.size(), 16 + 12 * 184);
    // Only the count and the new records differ.
    EXPECT_EQ(after.left(12), before.left(12));
    EXPECT_EQ(after.mid(16, before.size() - 16), before.mid(16));
    EXPECT_EQ(GetU32(after, 12), 12u);
    EXPECT_EQ(after.mid(before.size()), Record(Numbered(11)) + Record(Numbered(12)));
    EXPECT_FALSE(doc->IsDirty());
    EXPECT_EQ(doc->FirstUnsaved(), nullptr);
}

TEST_F(LedgerFileTest, AppendToAFileThatLostItsRecordsRewritesItWhole) {
    writeData(datafile::kLedger, CurrentLedger(3));
    const auto doc = openDoc();
    writeData(datafile::kLedger, QByteArray()); // emptied behind the program's back
    ASSERT_TRUE(doc->AddRecord(record(Numbered(4))));
    ASSERT_TRUE(doc->SaveLedger());
    EXPECT_EQ(readFile(ledgerPath()), CurrentLedger(4)); // no hole of zeros before record 4
}

TEST_F(LedgerFileTest, SaveWithNothingChangedDoesNotOpenTheFile) {
    writeData(datafile::kLedger, CurrentLedger(2));
    const auto doc = openDoc();
    faults::FailFrom(faults::Op::Open, 1, plat::ERROR_ACCESS_DENIED);
    EXPECT_TRUE(doc->SaveLedger());
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(LedgerFileTest, BalanceOfExtremeAmountsIsExact) {
    Entry low = Numbered(1);
    low.amount = INT32_MIN;
    Entry low2 = Numbered(2);
    low2.amount = INT32_MIN;
    Entry high = Numbered(3);
    high.amount = INT32_MAX;
    writeData(datafile::kLedger, Header(3) + Record(low) + Record(low2) + Record(high));
    const auto doc = openDoc();
    EXPECT_EQ(doc->Balance(), 2 * 2147483648LL - 2147483647LL);
    ASSERT_TRUE(doc->ReplaceRecord(3, record(low)));
    EXPECT_EQ(doc->Balance(), 3 * 2147483648LL);
    ASSERT_TRUE(doc->DeleteRecord(1));
    EXPECT_EQ(doc->Balance(), 2 * 2147483648LL);
}

TEST_F(LedgerFileTest, HeaderPromisingMoreRecordsThanTheFileHoldsKeepsTheCompleteOnes) {
    writeData(datafile::kLedger, Header(5) + Record(Numbered(1)) + Record(Numbered(2)) +
                                     Record(Numbered(3)) + Record(Numbered(4)).left(100));
    const auto doc = openDoc();
    EXPECT_EQ(errorCodes(), std::vector<int>{plat::ERROR_INVALID_DATA});
    EXPECT_EQ(doc->Count(), 3u);
    EXPECT_EQ(categories(*doc), numberedCategories(1, 3));
    EXPECT_EQ(doc->Balance(), -600);
}

TEST_F(LedgerFileTest, CompleteRecordsBeyondALowCountAreLoadedSilently) {
    // A save cut off between its records and its header leaves such a file.
    QByteArray file = CurrentLedger(5);
    PutU32(file, 12, 3);
    writeData(datafile::kLedger, file + Record(Numbered(6)).left(50));
    const auto doc = openDoc();
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(categories(*doc), numberedCategories(1, 5));
    EXPECT_FALSE(doc->FileUnread());

    // The next addition goes over the torn tail, not behind it.
    ASSERT_TRUE(doc->AddRecord(record(Numbered(6))));
    ASSERT_TRUE(doc->SaveLedger());
    EXPECT_EQ(readFile(ledgerPath()), CurrentLedger(6));
}

TEST_F(LedgerFileTest, OldLayoutCountBeyondTheFileKeepsTheCompleteRecords) {
    QByteArray file(2, '\0');
    PutU16(file, 0, 4);
    file += Record(Numbered(1), 152) + Record(Numbered(2), 152);
    writeData(datafile::kLedger, file);
    const auto doc = openDoc();
    EXPECT_EQ(errorCodes(), std::vector<int>{plat::ERROR_INVALID_DATA});
    EXPECT_EQ(categories(*doc), numberedCategories(1, 2));
}

struct LoadFault {
    const char* name;
    faults::Op op;
    int nth;
    plat::DWORD code;
    bool oldLayout;
    bool result;
    std::uint32_t recordsLeft;
    std::uint32_t reservedWord;
};

// Reads: 1 = the first four bytes, 2 = the header words (or the old count),
// 3 = the first block of records, 4 = the second block.
const LoadFault kLoadFaults[] = {
    {"OpenDenied", faults::Op::Open, 1, plat::ERROR_SHARING_VIOLATION, false, false, 0, 1},
    {"MagicUnreadable", faults::Op::Read, 1, plat::ERROR_READ_FAULT, false, false, 0, 1},
    {"HeaderUnreadable", faults::Op::Read, 2, plat::ERROR_READ_FAULT, false, false, 0, 1},
    {"OldCountUnreadable", faults::Op::Read, 2, plat::ERROR_READ_FAULT, true, false, 0, 0},
    {"FirstRecordsUnreadable", faults::Op::Read, 3, plat::ERROR_READ_FAULT, false, false, 0, 0},
    {"LaterRecordsUnreadable", faults::Op::Read, 4, plat::ERROR_READ_FAULT, false, true, 5600, 9},
    {"FirstNodeNotAllocated", faults::Op::Alloc, 1, plat::ERROR_NOT_ENOUGH_MEMORY, false, false, 0,
     0},
    {"LaterNodeNotAllocated", faults::Op::Alloc, 3, plat::ERROR_NOT_ENOUGH_MEMORY, false, true, 2,
     9},
};

class LedgerLoadFaultTest : public DocTest, public ::testing::WithParamInterface<LoadFault> {};

TEST_P(LedgerLoadFaultTest, ShowsTheCodeOnceKeepsWhatWasReadAndRewritesItWhole) {
    const LoadFault& f = GetParam();
    const auto doc = openDoc(); // on an empty folder: nothing to load yet
    QByteArray file;
    if (f.oldLayout) {
        file = QByteArray(2, '\0');
        PutU16(file, 0, 6000);
        for (int n = 1; n <= 6000; ++n)
            file += Record(Numbered(n), 152);
    } else {
        file = Header(6000, 9);
        for (int n = 1; n <= 6000; ++n)
            file += Record(Numbered(n));
    }
    writeData(datafile::kLedger, file);

    faults::FailNth(f.op, f.nth, f.code);
    EXPECT_EQ(doc->LoadLedger(), f.result);
    EXPECT_EQ(errorCodes(), std::vector<int>{static_cast<int>(f.code)});
    EXPECT_EQ(doc->Count(), f.recordsLeft);
    EXPECT_EQ(ids(*doc).size(), f.recordsLeft);
    EXPECT_EQ(doc->m_nFileReserved, f.reservedWord);
    EXPECT_TRUE(doc->FileUnread());
    std::int64_t balance = 0;
    for (std::uint32_t n = 1; n <= f.recordsLeft; ++n)
        balance -= 100 * n;
    EXPECT_EQ(doc->Balance(), balance);

    // The next save writes exactly the list, never appending behind records
    // that were not read.
    ASSERT_TRUE(doc->AddRecord(record(Numbered(7000))));
    EXPECT_TRUE(doc->NextLedgerSave() == CMyTALYDoc::LedgerSave::Rewrite);
    ASSERT_TRUE(doc->SaveLedger());
    QByteArray expected = Header(f.recordsLeft + 1, f.reservedWord);
    for (std::uint32_t n = 1; n <= f.recordsLeft; ++n)
        expected += Record(Numbered(static_cast<int>(n)));
    Entry added = Numbered(7000);
    added.id = static_cast<std::int32_t>(f.recordsLeft + 1);
    expected += Record(added);
    const QByteArray saved = readFile(ledgerPath());
    EXPECT_EQ(saved.size(), expected.size());
    EXPECT_TRUE(saved == expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, LedgerLoadFaultTest, ::testing::ValuesIn(kLoadFaults), CaseName());

struct SaveFault {
    const char* name;
    bool appendOnly;
    faults::Op op;
    int nth;
    plat::DWORD code;
};

const SaveFault kSaveFaults[] = {
    {"RewriteOpen", false, faults::Op::Open, 1, plat::ERROR_ACCESS_DENIED},
    {"RewriteHeader", false, faults::Op::Write, 1, plat::ERROR_DISK_FULL},
    {"RewriteRecords", false, faults::Op::Write, 2, plat::ERROR_DISK_FULL},
    {"AppendOpen", true, faults::Op::Open, 1, plat::ERROR_SHARING_VIOLATION},
    {"AppendRecords", true, faults::Op::Write, 1, plat::ERROR_DISK_FULL},
    {"AppendHeader", true, faults::Op::Write, 2, plat::ERROR_WRITE_FAULT},
};

class LedgerSaveFaultTest : public DocTest, public ::testing::WithParamInterface<SaveFault> {};

TEST_P(LedgerSaveFaultTest, ShowsTheCodeKeepsTheStateAndTheNextSaveSucceeds) {
    const SaveFault& f = GetParam();
    writeData(datafile::kLedger, CurrentLedger(3));
    const auto doc = openDoc();
    if (!f.appendOnly) {
        ASSERT_TRUE(doc->DeleteRecord(3));
    }
    ASSERT_TRUE(doc->AddRecord(record(Numbered(f.appendOnly ? 4 : 3))));
    const bool appendOnly = (doc->NextLedgerSave() == CMyTALYDoc::LedgerSave::Append);
    ASSERT_EQ(appendOnly, f.appendOnly);

    faults::FailNth(f.op, f.nth, f.code);
    EXPECT_FALSE(doc->SaveLedger());
    EXPECT_EQ(errorCodes(), std::vector<int>{static_cast<int>(f.code)});
    EXPECT_TRUE(doc->IsDirty());
    EXPECT_EQ((doc->NextLedgerSave() == CMyTALYDoc::LedgerSave::Append), appendOnly);

    const auto reloaded = openDoc(); // what is on disk loads without complaint
    EXPECT_EQ(errorCodes().size(), 1u);
    EXPECT_EQ(categories(*reloaded).mid(0, 3), numberedCategories(1, 3));

    ASSERT_TRUE(doc->SaveLedger());
    EXPECT_EQ(readFile(ledgerPath()), CurrentLedger(f.appendOnly ? 4 : 3));
}

INSTANTIATE_TEST_SUITE_P(Paths, LedgerSaveFaultTest, ::testing::ValuesIn(kSaveFaults), CaseName());

TEST_F(LedgerFileTest, TruncatedLedgerIsKeptAsideBeforeItIsOverwritten) {
    const QByteArray original = Header(5) + Record(Numbered(1)) + Record(Numbered(2));
    writeData(datafile::kLedger, original);
    const auto doc = openDoc();
    ASSERT_EQ(doc->Count(), 2u);
    ASSERT_TRUE(doc->AddRecord(record(Numbered(3))));
    ASSERT_TRUE(doc->SaveLedger());

    EXPECT_EQ(readFile(ledgerPath() + QStringLiteral(".20080310-123456.bak")), original);
    EXPECT_EQ(readFile(ledgerPath()), CurrentLedger(3)); // rewritten, not appended
    EXPECT_FALSE(doc->FileUnread());
}

TEST_F(LedgerFileTest, LedgerLockedAtStartIsKeptAsideNotOverwritten) {
    const QByteArray original = CurrentLedger(4);
    writeData(datafile::kLedger, original);
    auto holder = std::make_unique<plat::File>();
    ASSERT_TRUE(holder->open(ledgerPath(), plat::GENERIC_READ, plat::FILE_SHARE_NONE,
                             plat::Disposition::OpenExisting));
    const auto doc = openDoc();
    EXPECT_EQ(errorCodes(), std::vector<int>{plat::ERROR_SHARING_VIOLATION});
    EXPECT_EQ(doc->Count(), 0u);
    ASSERT_TRUE(doc->AddRecord(record(Numbered(1))));

    EXPECT_FALSE(doc->SaveLedger()); // still locked: nothing is written over it
    EXPECT_EQ(readFile(ledgerPath()), original);

    holder.reset();
    ASSERT_TRUE(doc->SaveLedger());
    EXPECT_EQ(readFile(ledgerPath() + QStringLiteral(".20080310-123456.bak")), original);
    EXPECT_EQ(readFile(ledgerPath()), Header(1, 1) + Record(Numbered(1))); // 1: the load failed
}

TEST_F(LedgerFileTest, DataFolderIsRecordedOnlyAfterAFullLoad) {
    auto readValue = [] {
        plat::HKEY key = nullptr;
        QString value;
        if (plat::RegOpenKeyEx(plat::HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Orvane\\TALY"),
                               &key) != plat::ERROR_SUCCESS)
            return value;
        plat::RegReadString(key, QStringLiteral("DataFile"), &value);
        plat::RegCloseKey(key);
        return value;
    };
    writeData(datafile::kLedger, Header(3) + Record(Numbered(1)));
    openDoc();
    EXPECT_EQ(readValue(), QString());

    writeData(datafile::kLedger, CurrentLedger(1));
    openDoc();
    EXPECT_EQ(readValue(), kFolder);
}

TEST_F(LedgerFileTest, SavedLedgerIsReadableByItsOwnerOnly) {
    const auto doc = openDoc();
    ASSERT_TRUE(doc->AddRecord(record(Numbered(1))));
    ASSERT_TRUE(doc->SaveLedger());
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(host(ledgerPath())).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

} // namespace
