// Every kind of save cut off at a few points, as a crash or a power loss
// would, losing what was not flushed: what an earlier save wrote must load
// unharmed.
#include "support/DocTest.h"

#include "ledger/Lists.h"
#include "platform/Device.h"
#include "platform/Faults.h"

using namespace bytes;
namespace faults = plat::faults;

namespace {

class CrashCutTest : public DocTest {
protected:
    // The power fails and the program starts again: nothing of the platform's
    // memory survives, nor any write that was not flushed to the disk.
    void restart() {
        faults::PowerLoss();
        faults::Reset();
        plat::InitDevice(deviceDir());
        plat::SetClockForTest(kTestNow);
        boxes.clear();
    }
    // A crash after `bytes` more bytes: the write it stops in reaches the disk
    // up to there, every earlier write not yet flushed is lost.
    // A few cut points of a save through the atomic writer, whose every byte
    // AtomicFileTest cuts: none written, inside the header, at a record's
    // edge, in the middle, one byte short and all of it.
    static std::vector<int> cutPoints(int total) {
        return {0, 3, 16, 17, total / 2, total - 1, total};
    }
    void cutAfter(std::int64_t bytes) {
        faults::JournalUnsyncedWrites();
        faults::CutWritesAfter(bytes, plat::ERROR_DISK_FULL);
    }
};

TEST_F(CrashCutTest, FullRewriteLeavesTheOldOrTheNewLedger) {
    const QStringList before = numberedCategories(1, 3);
    const QStringList after = numberedCategories(2, 4);
    const int total = 16 + 3 * 184;
    for (int k : cutPoints(total)) {
        writeData(datafile::kLedger, CurrentLedger(3));
        bool saved = false;
        {
            const auto doc = openDoc();
            ASSERT_TRUE(doc->DeleteRecord(1));
            ASSERT_TRUE(doc->AddRecord(record(Numbered(4))));
            cutAfter(k);
            saved = doc->SaveLedger();
        }
        EXPECT_TRUE(!saved || k >= total) << k;
        restart();
        const auto reloaded = openDoc();
        EXPECT_TRUE(boxes.shown().empty()) << k;
        EXPECT_EQ(categories(*reloaded), saved ? after : before) << k;
    }
}

TEST_F(CrashCutTest, AppendLeavesEverySavedRecordAndTheNextSaveGoesOverTheTornTail) {
    const int total = 2 * 184 + 16; // the records, then the header
    for (int k : {0, 100, 184, 2 * 184, total - 1, total}) {
        writeData(datafile::kLedger, CurrentLedger(3));
        {
            const auto doc = openDoc();
            ASSERT_TRUE(doc->AddRecord(record(Numbered(4))));
            ASSERT_TRUE(doc->AddRecord(record(Numbered(5))));
            cutAfter(k);
            EXPECT_TRUE(!doc->SaveLedger() || k >= total) << k;
        }
        restart();
        const auto reloaded = openDoc();
        EXPECT_TRUE(boxes.shown().empty()) << k;
        const QStringList loaded = categories(*reloaded);
        ASSERT_GE(loaded.size(), 3) << k;
        // The saved records, then at most the new ones in their order.
        EXPECT_EQ(loaded, numberedCategories(1, static_cast<int>(loaded.size()))) << k;
        EXPECT_LE(loaded.size(), 5) << k;

        // A later save adds behind the records that loaded, never behind torn bytes.
        const int next = static_cast<int>(loaded.size()) + 1;
        ASSERT_TRUE(reloaded->AddRecord(record(Numbered(next))));
        ASSERT_TRUE(reloaded->SaveLedger());
        EXPECT_EQ(readFile(ledgerPath()), CurrentLedger(next)) << k;
    }
}

TEST_F(CrashCutTest, TemplateSaveLeavesTheOldOrTheNewFile) {
    const Template lunch{QStringLiteral(u"昼食"), Numbered(1)};
    const QByteArray old = TemplateFile({lunch});
    const QByteArray expectedNew = TemplateFile({lunch, lunch});
    for (int k : cutPoints(static_cast<int>(expectedNew.size()))) {
        writeData(datafile::kTemplates, old);
        bool saved = false;
        {
            const auto doc = openDoc();
            const TemplateRecord first = doc->Templates()[0];
            ASSERT_EQ(doc->AddTemplate(FieldText(first.name), first.record), 1);
            cutAfter(k);
            saved = doc->SaveTemplates();
        }
        EXPECT_TRUE(!saved || k >= expectedNew.size()) << k;
        restart();
        EXPECT_EQ(readData(datafile::kTemplates).toHex(), (saved ? expectedNew : old).toHex()) << k;
    }
}

TEST_F(CrashCutTest, ListWriteLeavesTheOldOrTheNewList) {
    const QByteArray old = ListFile({QStringLiteral(u"食費"), QStringLiteral(u"家賃")});
    const QByteArray expectedNew = ListFile({QStringLiteral(u"家賃"), QStringLiteral(u"食費")});
    const auto doc = openDoc();
    for (int k : cutPoints(static_cast<int>(expectedNew.size()))) {
        writeData(datafile::kCategories, old);
        cutAfter(k);
        const bool saved = WriteListMostRecentFirst(
            CategoryListPath(*doc), {QStringLiteral(u"食費"), QStringLiteral(u"家賃")},
            QStringLiteral(u"家賃"));
        EXPECT_TRUE(!saved || k >= expectedNew.size()) << k;
        restart();
        EXPECT_EQ(readData(datafile::kCategories).toHex(), (saved ? expectedNew : old).toHex())
            << k;
    }
}

TEST_F(CrashCutTest, SettingsSaveLeavesTheOldOrTheNewValues) {
    {
        const auto doc = openDoc();
        doc->m_nMonthStartDay = 10;
        doc->SaveSettings();
    }
    for (int k = 0; k <= 1000000; k += 13) {
        {
            const auto doc = openDoc();
            doc->m_nMonthStartDay = 20;
            doc->m_nWeekStartDay = 3;
            cutAfter(k);
            doc->SaveSettings();
        }
        const bool complete = !faults::WritesCut();
        restart();
        const auto reloaded = openDoc();
        const int day = reloaded->m_nMonthStartDay;
        EXPECT_TRUE(day == 10 || day == 20) << k;
        EXPECT_EQ(reloaded->m_nWeekStartDay == 3, day == 20) << k;
        if (complete) break; // the whole save fitted in k bytes
        reloaded->m_nMonthStartDay = 10;
        reloaded->m_nWeekStartDay = 0;
        reloaded->SaveSettings();
    }
}

} // namespace
