// The document's CSV export, import with its messages, and one-pass period delete.
#include "support/DocTest.h"
#include "support/LedgerBuilder.h"

#include "platform/Faults.h"

#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace {

// The entries from `n` on as "y/m/d h:m:s texts amount", the texts joined by '|'.
QStringList Entries(const LedgerNode* n) {
    QStringList out;
    for (; n; n = n->next) {
        const InOutRecord& r = n->record;
        const plat::SYSTEMTIME& d = r.date;
        out << QString::asprintf(
            "%d/%d/%d %d:%d:%d %ls|%ls|%ls|%ls %d", d.wYear, d.wMonth, d.wDay, d.wHour, d.wMinute,
            d.wSecond, qUtf16Printable(FieldText(r.category)), qUtf16Printable(FieldText(r.remark)),
            qUtf16Printable(FieldText(r.payee)), qUtf16Printable(FieldText(r.payMethod)), r.amount);
    }
    return out;
}

// The ledger behind tests/data/csv/export-august.csv: August 2008 and an entry either side.
const EntrySpec kAugust[] = {
    {2008, 7, 31, u"前月"_s, 1, {}, {}, {}, 23, 59, 59},
    {2008, 8, 1, u"A"_s, 100, {}, {}, {}, 0},
    {2008, 8, 15, u"食費"_s, 1500, u"昼食"_s, u"食堂"_s, u"現金"_s, 10, 30},
    {2008, 8, 25, u"給料"_s, -250000, {}, u"会社"_s, u"€券"_s, 0},
    {2008, 8, 31, u"本"_s, 700, u"say \"hi\""_s, {}, {}, 23, 59, 59},
    {2008, 9, 1, u"翌月"_s, 1, {}, {}, {}, 0},
};
const plat::TimeValue kAugustFirst = plat::TimeFromFields(2008, 8, 1, 0, 0, 0);
const plat::TimeValue kAugustLast = plat::TimeFromFields(2008, 8, 31, 23, 59, 59);

using CsvTransferTest = OpenDocTest;

// The one-pass delete must leave all that deleting entry after entry leaves.
TEST_F(CsvTransferTest, PeriodRoundTripsAndGoesInOnePassThenHandMadeFileImports) {
    LedgerBuilder august;
    for (std::size_t i = 0; i < std::size(kAugust); ++i)
        ASSERT_TRUE(doc->AddRecord(august.add(kAugust[i]).record(i)));
    int count = -1;
    ASSERT_TRUE(doc->ExportCsv(inFolder(u"\\aug.CSV"_s), kAugustFirst, kAugustLast, &count));
    plat::faults::CutWritesAfter(100); // a full disk keeps the earlier file
    EXPECT_FALSE(doc->ExportCsv(inFolder(u"\\aug.CSV"_s), kAugustFirst, kAugustLast, &count));
    EXPECT_EQ(plat::GetLastError(), plat::ERROR_DISK_FULL);
    plat::faults::Reset();
    EXPECT_EQ(readData(u"\\aug.CSV"_s), fixture(u"csv/export-august.csv"_s));

    doc->ImportCsv(inFolder(u"\\aug.CSV"_s)); // read back whole; the fields are CsvFileTest's
    ASSERT_TRUE(doc->SaveAll());
    const QByteArray saved = readData(datafile::kLedger);
    const auto addUnsaved = [&] { // one kept before one deleted: the save must still rewrite
        for (std::size_t i : {5, 1})
            ASSERT_TRUE(doc->AddRecord(august.record(i)));
    };
    addUnsaved();
    const auto state = [this] { // what the delete left, then the bytes a save writes
        const auto left = std::tuple(Entries(doc->Head()), ids(*doc), doc->Count(), doc->Balance(),
                                     doc->IsDirty(), doc->Tail()->record.id, doc->NextLedgerSave());
        return std::pair(left, doc->SaveAll() ? readData(datafile::kLedger) : QByteArray());
    };
    EXPECT_EQ(doc->DeletePeriod(kAugustFirst, kAugustLast), 9);
    const auto bulk = state();
    writeData(datafile::kLedger, saved);
    doc = openDoc();
    addUnsaved();
    for (int id : {2, 2, 2, 2, 3, 3, 3, 3, 4}) // each delete moves the later ids up
        ASSERT_TRUE(doc->DeleteRecord(id));
    EXPECT_EQ(state(), bulk);

    writeData(u"\\bank.csv"_s, fixture(u"csv/import-bank.csv"_s));
    doc->ImportCsv(inFolder(u"\\bank.csv"_s));
    EXPECT_EQ(Entries(doc->Head()),
              (QStringList{u"2008/7/31 23:59:59 前月||| 1"_s, u"2008/9/1 0:0:0 翌月||| 1"_s,
                           u"2008/9/1 0:0:0 翌月||| 1"_s, // kept of the unsaved two
                           u"2008/8/10 0:0:0 food|lunch|shop|cash 1500"_s,
                           u"2008/8/11 0:0:0 交通|電車,バス|駅|ＩＣ -300"_s,
                           u"2008/8/12 0:0:0 あいうえおかきくけこさしすせそ||| 1"_s,
                           u"2008/8/14 0:0:0 X|・|| 7"_s}));
    // An entry that cannot be added ends the import with one error.
    plat::faults::FailFrom(plat::faults::Op::Alloc, 2, plat::ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(doc->ImportCsv(inFolder(u"\\bank.csv"_s)).added, 1);
    plat::faults::Reset();
    EXPECT_EQ(boxes.texts(),
              (std::vector{u"4個のデータを読み込みました"_s,
                           u"4個のデータを読み込みました\r\n2行は日付か金額が正しくないか改行"
                           u"がないため読み込みませんでした\r\n8行目から先は読み込んでいません"_s,
                           u"Error ! ID = 8"_s,
                           u"1個のデータを読み込みました\r\n3行目から先は読み込んでいません"_s}));
}

} // namespace
