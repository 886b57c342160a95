// The ledger file from hand-made bytes, list operations, save states, failed saves.
#include "support/DocTest.h"
#include "support/RegistryProbe.h"

#include "platform/Faults.h"

#include <cstring>
#include <string_view>
#include <tuple>

using namespace bytes;
using namespace Qt::Literals::StringLiterals;
namespace faults = plat::faults;

namespace {

using LedgerFileTest = DocTest;

TEST_F(LedgerFileTest, ReadsEveryFieldAndListChangesRenumberAndKeepTheBalanceExact) {
    Entry e; // its stored id 7 is replaced by its position
    e.id = 7, e.category = u"交通費"_s, e.remark = u"バス"_s, e.payee = u"市営バス"_s;
    e.payMethod = u"ＩＣカード"_s, e.amount = INT32_MIN;
    e.year = 2008, e.month = 10, e.weekday = 5, e.day = 10, e.hour = 7, e.minute = 45;
    const Entry low{.id = 9, .amount = INT32_MIN}, high{.amount = INT32_MAX};
    QByteArray file = Header(3, 0xABCD) + Record(e) + Record(low) + Record(high);
    file[16 + 152] = 0x5A; // a reserved byte is carried, not cleared
    writeData(datafile::kLedger, file);

    const auto doc = openDoc();
    e.id = 1;
    InOutRecord expected = MakeRecord(e);
    expected.reserved[0] = 0x5A;
    EXPECT_EQ(std::memcmp(&doc->Head()->record, &expected, sizeof expected), 0);
    EXPECT_EQ(ids(*doc), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(std::tuple(doc->m_nFileVersion, doc->m_nFileReserved, boxes.shown().size()),
              std::tuple(1u, 0xABCDu, 0u));
    const QByteArray folder(reinterpret_cast<const char*>(kFolder.utf16()), 2 * kFolder.size() + 2);
    EXPECT_EQ(regprobe::Setting(QStringLiteral("DataFile")), // a full load records the folder
              (regprobe::Value{plat::REG_SZ, folder}));
    EXPECT_EQ(doc->Balance(), 2 * 2147483648LL - 2147483647LL); // income minus expense
    ASSERT_TRUE(doc->ReplaceRecord(3, record(low)));
    EXPECT_EQ(doc->Balance(), 3 * 2147483648LL);
    ASSERT_TRUE(doc->DeleteRecord(1));
    EXPECT_EQ(doc->Balance(), 2 * 2147483648LL);

    writeData(datafile::kLedger, CurrentLedger(4));
    ASSERT_TRUE(doc->LoadLedger()); // a reload replaces the list instead of adding to it
    // Unknown ids change nothing, nor does an addition whose node cannot be allocated.
    EXPECT_FALSE(doc->DeleteRecord(5) || doc->DeleteRecord(0) ||
                 doc->ReplaceRecord(5, record(Numbered(5))) || doc->FindRecord(-1));
    faults::FailNth(faults::Op::Alloc, 1, plat::ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_FALSE(doc->AddRecord(record(Numbered(5))));
    EXPECT_EQ(errorCodes(), std::vector<int>{plat::ERROR_NOT_ENOUGH_MEMORY});
    EXPECT_EQ(std::tuple(doc->Tail()->next, doc->Count(), doc->Balance(), doc->IsDirty()),
              std::tuple(nullptr, 4u, -1000, false));
    // An income replacing an expense raises the balance; the caller's wrong id is ignored.
    const Entry income{.id = 99, .amount = -500};
    ASSERT_TRUE(doc->ReplaceRecord(1, record(income)));
    EXPECT_EQ(doc->Balance(), -400);
    // Deleting moves later ids up, and the next addition takes the last id.
    ASSERT_TRUE(doc->DeleteRecord(2));
    EXPECT_EQ(ids(*doc), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(categories(*doc),
              (QStringList{income.category, Numbered(3).category, Numbered(4).category}));
    EXPECT_EQ(doc->Balance(), -200);
    ASSERT_TRUE(doc->AddRecord(record(Numbered(9))));
    EXPECT_EQ(doc->FindRecord(4), doc->Tail());
    // Deleting down to the only record and then that one empties the list.
    for (int left = 4; left > 0; --left)
        ASSERT_TRUE(doc->DeleteRecord(1)) << left;
    EXPECT_EQ(std::tuple(doc->Head(), doc->Tail(), doc->Count(), doc->Balance()),
              std::tuple(nullptr, nullptr, 0u, 0));
}

TEST_F(LedgerFileTest, MissingOrEmptiedFileClosingAndAHeapThatCannotBeCreated) {
    const auto doc = openDoc();
    EXPECT_TRUE(fileExists(ledgerPath()) && readFile(ledgerPath()).isEmpty());
    ASSERT_TRUE(doc->AddRecord(record(Numbered(1))));
    ASSERT_TRUE(doc->SaveLedger());
    EXPECT_EQ(readFile(ledgerPath()), CurrentLedger(1));
    EXPECT_EQ(fileMode(ledgerPath()), 0600u); // people's money records are theirs alone

    // With nothing changed the file is not even opened.
    faults::FailFrom(faults::Op::Open, 1, plat::ERROR_ACCESS_DENIED);
    EXPECT_TRUE(doc->SaveLedger());
    faults::Reset();

    // An append to a file emptied meanwhile rewrites it whole, leaving no hole of zeros.
    writeData(datafile::kLedger, QByteArray());
    ASSERT_TRUE(doc->AddRecord(record(Numbered(2))));
    ASSERT_TRUE(doc->SaveLedger());
    EXPECT_EQ(readFile(ledgerPath()), CurrentLedger(2));
    EXPECT_TRUE(boxes.shown().empty());

    // Closing saves first, and keeps the entries when that fails.
    ASSERT_TRUE(doc->AddRecord(record(Numbered(3))));
    faults::FailNth(faults::Op::Open, 1, plat::ERROR_ACCESS_DENIED);
    EXPECT_FALSE(doc->CloseData());
    EXPECT_EQ(errorCodes(), std::vector<int>{plat::ERROR_ACCESS_DENIED});
    EXPECT_EQ(std::tuple(doc->IsOpen(), doc->IsDirty(), doc->Count()), std::tuple(true, true, 3u));
    EXPECT_TRUE(doc->CloseData());
    EXPECT_EQ(std::tuple(doc->IsOpen(), doc->Head(), doc->Count(), doc->Balance()),
              std::tuple(false, nullptr, 0u, 0));
    EXPECT_EQ(readFile(ledgerPath()), CurrentLedger(3));
    EXPECT_TRUE(doc->SaveLedger()); // closed and clean: nothing to write

    // A heap that cannot be created shows out of memory, and additions fail.
    boxes.clear();
    faults::FailNth(faults::Op::Alloc, 1, plat::ERROR_NOT_ENOUGH_MEMORY);
    const auto noHeap = openDoc();
    ASSERT_EQ(boxes.shown().size(), 1u);
    const RecordedBox box = boxes.shown()[0];
    EXPECT_EQ(std::tuple(box.text, box.caption, box.flags),
              std::tuple(u"メモリを確保できませんでした。他のアプリケーションを終了して、"
                         u"起動しなおしてください。"_s,
                         u"メモリ不足"_s, unsigned{plat::MB_OK}));
    EXPECT_FALSE(noHeap->IsOpen() || noHeap->LoadLedger() ||
                 noHeap->AddRecord(record(Numbered(1))));
    EXPECT_EQ(errorCodes(), std::vector<int>{plat::ERROR_NOT_ENOUGH_MEMORY});
}

TEST_F(LedgerFileTest, SaveStatesFollowTheKindOfChange) {
    writeData(datafile::kLedger, CurrentLedger(2));
    const auto doc = openDoc();
    // After each change (a add, r replace, d delete the last, s save) what the next save
    // is: N nothing, A an append, R a rewrite. The last delete takes the first unsaved.
    std::string next;
    for (const char c : std::string_view("aadsarasasad")) {
        ASSERT_TRUE(c == 'a'   ? doc->AddRecord(record(Numbered(9)))
                    : c == 'r' ? doc->ReplaceRecord(1, record(Numbered(1)))
                    : c == 'd' ? doc->DeleteRecord(static_cast<int>(doc->Count()))
                               : doc->SaveLedger());
        next += "NAR"[static_cast<int>(doc->NextLedgerSave())];
    }
    EXPECT_EQ(next, "AARNARRNANAR");
    EXPECT_EQ(doc->FirstUnsaved(), nullptr); // never left dangling
}

TEST_F(LedgerFileTest, FailedSaveShowsTheCodeKeepsTheStateAndTheNextSaveSucceeds) {
    const std::tuple<const char*, bool, faults::Op, int, plat::DWORD> rows[] = {
        {"rewrite open", false, faults::Op::Open, 1, plat::ERROR_ACCESS_DENIED},
        {"rewrite header", false, faults::Op::Write, 1, plat::ERROR_DISK_FULL},
        {"rewrite records", false, faults::Op::Write, 2, plat::ERROR_DISK_FULL},
        {"append open", true, faults::Op::Open, 1, plat::ERROR_SHARING_VIOLATION},
        {"append records", true, faults::Op::Write, 1, plat::ERROR_DISK_FULL},
        {"append header", true, faults::Op::Write, 2, plat::ERROR_WRITE_FAULT},
    };
    for (const auto& [name, appendOnly, op, nth, code] : rows) {
        SCOPED_TRACE(name);
        boxes.clear();
        writeData(datafile::kLedger, CurrentLedger(3));
        const auto doc = openDoc();
        ASSERT_TRUE(appendOnly || doc->DeleteRecord(3));
        ASSERT_TRUE(doc->AddRecord(record(Numbered(appendOnly ? 4 : 3))));
        const auto kind =
            appendOnly ? CMyTALYDoc::LedgerSave::Append : CMyTALYDoc::LedgerSave::Rewrite;
        faults::FailNth(op, nth, code);
        EXPECT_FALSE(doc->SaveLedger());
        EXPECT_EQ(errorCodes(), std::vector<int>{static_cast<int>(code)});
        EXPECT_EQ(doc->NextLedgerSave(), kind); // still dirty
        ASSERT_TRUE(doc->SaveLedger());
        EXPECT_EQ(readFile(ledgerPath()), CurrentLedger(appendOnly ? 4 : 3));
    }
}

} // namespace
