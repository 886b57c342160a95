// The document's bulk operations: a period exported byte for byte, files
// imported with their messages, and a period deleted in one pass exactly as
// single deletes would leave the ledger.
#include "support/DocTest.h"

#include "platform/Faults.h"

#include <span>
#include <tuple>

namespace {

struct Dated {
    int y, mo, d, h, mi, s;
    const char16_t* category;
    const char16_t* remark;
    std::int32_t amount;
    const char16_t* payee;
    const char16_t* payMethod;
};

// The ledger behind tests/data/csv/export-august.csv: one entry on each side
// of August 2008 and four inside it, the first and last on its edges.
const Dated kAugustLedger[] = {
    {2008, 7, 31, 23, 59, 59, u"前月", u"", 1, u"", u""},
    {2008, 8, 1, 0, 0, 0, u"A", u"", 100, u"", u""},
    {2008, 8, 15, 10, 30, 0, u"食費", u"昼食", 1500, u"食堂", u"現金"},
    {2008, 8, 25, 0, 0, 0, u"給料", u"", -250000, u"会社", u"€券"},
    {2008, 8, 31, 23, 59, 59, u"本", u"say \"hi\"", 700, u"", u""},
    {2008, 9, 1, 0, 0, 0, u"翌月", u"", 1, u"", u""},
};

InOutRecord Make(const Dated& e) {
    InOutRecord r{};
    r.date = {static_cast<std::uint16_t>(e.y), static_cast<std::uint16_t>(e.mo), 0,
              static_cast<std::uint16_t>(e.d), static_cast<std::uint16_t>(e.h),
              static_cast<std::uint16_t>(e.mi), static_cast<std::uint16_t>(e.s), 0};
    SetFieldText(r.category, QString::fromUtf16(e.category));
    SetFieldText(r.remark, QString::fromUtf16(e.remark));
    SetFieldText(r.payee, QString::fromUtf16(e.payee));
    SetFieldText(r.payMethod, QString::fromUtf16(e.payMethod));
    r.amount = e.amount;
    return r;
}

// An entry as one line: date and time, the four texts, the amount.
QString Describe(const InOutRecord& r) {
    const plat::SYSTEMTIME& d = r.date;
    return QString::asprintf("%d/%d/%d %d:%d:%d ", d.wYear, d.wMonth, d.wDay, d.wHour, d.wMinute,
                             d.wSecond) +
           QStringList{FieldText(r.category), FieldText(r.remark), FieldText(r.payee),
                       FieldText(r.payMethod)}
               .join(u'|') +
           QStringLiteral(" %1").arg(r.amount);
}

class CsvTransferTest : public DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        doc = openDoc();
    }
    void fill(std::span<const Dated> entries) {
        for (const Dated& e : entries)
            ASSERT_TRUE(doc->AddRecord(Make(e)));
    }
    QStringList entries(int fromId = 1) const {
        QStringList out;
        for (const LedgerNode* n = doc->Head(); n; n = n->next)
            if (n->record.id >= fromId) out << Describe(n->record);
        return out;
    }
    static plat::TimeValue At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
        return plat::TimeFromFields(y, mo, d, h, mi, s);
    }
    std::unique_ptr<CMyTALYDoc> doc;
};

TEST_F(CsvTransferTest, ExportedPeriodMatchesTheHandMadeFileAndReimportsAtMidnight) {
    fill(kAugustLedger);
    int count = -1;
    ASSERT_TRUE(doc->ExportCsv(inFolder(QStringLiteral("\\aug.CSV")), At(2008, 8, 1),
                               At(2008, 8, 31, 23, 59, 59), &count));
    EXPECT_EQ(count, 4);
    EXPECT_EQ(readData(QStringLiteral("\\aug.CSV")),
              fixture(QStringLiteral("csv/export-august.csv")));

    // Read back: the same dates, texts and amounts with new ids, at midnight.
    boxes.clear();
    const CMyTALYDoc::CsvImport result = doc->ImportCsv(inFolder(QStringLiteral("\\aug.CSV")));
    EXPECT_EQ(result.added, 4);
    EXPECT_EQ(ids(*doc), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(entries(7), (QStringList{
                              QStringLiteral(u"2008/8/1 0:0:0 A||| 100"),
                              QStringLiteral(u"2008/8/15 0:0:0 食費|昼食|食堂|現金 1500"),
                              QStringLiteral(u"2008/8/25 0:0:0 給料||会社|?券 -250000"),
                              QStringLiteral(u"2008/8/31 0:0:0 本|say \"hi\"|| 700"),
                          }));
    EXPECT_EQ(doc->Balance(), 2 * (250000 - 100 - 1500 - 700) - 2);
    EXPECT_EQ(boxes.texts(), std::vector<QString>{QStringLiteral(u"4個のデータを読み込みました")});
}

TEST_F(CsvTransferTest, HandMadeFileImportsItsGoodLinesAndTellsWhatItLeftOut) {
    writeData(QStringLiteral("\\bank.csv"), fixture(QStringLiteral("csv/import-bank.csv")));
    const CMyTALYDoc::CsvImport result = doc->ImportCsv(inFolder(QStringLiteral("\\bank.csv")));
    EXPECT_EQ(result.added, 4);
    EXPECT_EQ(result.skipped, 2);
    EXPECT_EQ(result.stoppedLine, 8);
    EXPECT_EQ(entries(), (QStringList{
                             QStringLiteral(u"2008/8/10 0:0:0 food|lunch|shop|cash 1500"),
                             QStringLiteral(u"2008/8/11 0:0:0 交通|電車,バス|駅|ＩＣ -300"),
                             QStringLiteral(u"2008/8/12 0:0:0 あいうえおかきくけこさしすせそ||| 1"),
                             QStringLiteral(u"2008/8/14 0:0:0 X|・|| 7"),
                         }));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text,
              QStringLiteral(u"4個のデータを読み込みました\r\n"
                             u"2行は日付か金額が正しくないか改行がないため読み込みませんでした\r\n"
                             u"8行目から先は読み込んでいません"));
    EXPECT_EQ(boxes.shown()[0].caption, QStringLiteral(u"インポート"));
    EXPECT_EQ(boxes.shown()[0].flags, 0u);
}

TEST_F(CsvTransferTest, FailedAddEndsTheImportWithOneError) {
    writeData(QStringLiteral("\\aug.CSV"), fixture(QStringLiteral("csv/export-august.csv")));
    plat::faults::FailFrom(plat::faults::Op::Alloc, 2, plat::ERROR_NOT_ENOUGH_MEMORY);
    const CMyTALYDoc::CsvImport result = doc->ImportCsv(inFolder(QStringLiteral("\\aug.CSV")));
    plat::faults::Reset();
    EXPECT_EQ(result.added, 1);
    EXPECT_EQ(errorCodes(), std::vector<int>{plat::ERROR_NOT_ENOUGH_MEMORY});
    EXPECT_EQ(boxes.shown().back().text,
              QStringLiteral(u"1個のデータを読み込みました\r\n3行目から先は読み込んでいません"));
}

// The one-pass delete must leave what deleting entry after entry leaves:
// ids, balance, save state, and the bytes the next save writes.
TEST_F(CsvTransferTest, PeriodDeleteLeavesWhatSingleDeletesLeave) {
    fill(kAugustLedger);
    fill(kAugustLedger);
    ASSERT_TRUE(doc->SaveAll());
    const QByteArray saved = readData(datafile::kLedger);
    const plat::TimeValue first = At(2008, 8, 1), last = At(2008, 8, 31, 23, 59, 59);

    EXPECT_EQ(doc->DeletePeriod(first, last), 8);
    const QStringList left = entries();
    const std::vector<int> leftIds = ids(*doc);
    const auto state = std::tuple(doc->Count(), doc->Balance(), doc->IsDirty(),
                                  doc->NextLedgerSave(), doc->Tail()->record.id);
    ASSERT_TRUE(doc->SaveAll());
    const QByteArray afterBulk = readData(datafile::kLedger);

    writeData(datafile::kLedger, saved);
    doc = openDoc();
    for (const LedgerNode* n = doc->Head(); n;) {
        const plat::TimeValue t = plat::SystemTimeToTimeValue(n->record.date);
        const std::int32_t id = n->record.id;
        n = n->next;
        if (first <= t && t <= last) {
            ASSERT_TRUE(doc->DeleteRecord(id));
        }
    }
    EXPECT_EQ(entries(), left);
    EXPECT_EQ(ids(*doc), leftIds);
    EXPECT_EQ(std::tuple(doc->Count(), doc->Balance(), doc->IsDirty(), doc->NextLedgerSave(),
                         doc->Tail()->record.id),
              state);
    ASSERT_TRUE(doc->SaveAll());
    EXPECT_EQ(readData(datafile::kLedger), afterBulk);
    EXPECT_EQ(left, (QStringList{Describe(Make(kAugustLedger[0])), Describe(Make(kAugustLedger[5])),
                                 Describe(Make(kAugustLedger[0])), Describe(Make(kAugustLedger[5]))}));
}

} // namespace
