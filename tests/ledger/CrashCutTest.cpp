// Each kind of save cut by a crash: what an earlier save wrote must load unharmed.
#include "support/DocTest.h"

#include "ledger/Lists.h"
#include "platform/Device.h"
#include "platform/Faults.h"

#include <algorithm>
#include <functional>

using namespace bytes;
namespace faults = plat::faults;

namespace {

class CrashCutTest : public DocTest {
protected:
    // Power fails and the program starts again, losing every unflushed write.
    void restart() {
        faults::PowerLoss();
        faults::Reset();
        plat::InitDevice(deviceDir());
        plat::SetClockForTest(kTestNow);
        boxes.clear();
    }
    // A crash after `bytes` more bytes, the write it stops in kept up to there.
    void cutAfter(std::int64_t bytes) {
        faults::JournalUnsyncedWrites();
        faults::CutWritesAfter(bytes, plat::ERROR_DISK_FULL);
    }
    // Cuts a save through the atomic writer (AtomicFileTest cuts every byte) at a few
    // points: the file must then hold the old bytes, or the new ones if the save succeeded.
    void expectOldOrNew(const QString& suffix, const QByteArray& old, const QByteArray& fresh,
                        const std::function<bool(int)>& saveCutAfter) {
        const int total = static_cast<int>(fresh.size());
        for (int k : {0, 3, 16, 17, total / 2, total - 1, total}) {
            writeData(suffix, old);
            const bool saved = saveCutAfter(k);
            EXPECT_TRUE(!saved || k >= total) << k;
            restart();
            EXPECT_EQ(readData(suffix).toHex(), (saved ? fresh : old).toHex()) << k;
        }
    }
};

TEST_F(CrashCutTest, LedgerRewriteLeavesTheOldOrTheNewFileAndAppendEverySavedRecord) {
    expectOldOrNew(datafile::kLedger, CurrentLedger(3), CurrentLedger(2), [&](int k) {
        const auto doc = openDoc();
        EXPECT_TRUE(doc->DeleteRecord(3)); // a delete makes the save a rewrite
        cutAfter(k);
        return doc->SaveLedger();
    });

    const int total = 2 * 184 + 16; // the records, then the header
    for (int k : {0, 100, 184, 2 * 184, total - 1, total}) {
        writeData(datafile::kLedger, CurrentLedger(3));
        auto doc = openDoc();
        ASSERT_TRUE(doc->AddRecord(record(Numbered(4))) && doc->AddRecord(record(Numbered(5))));
        cutAfter(k);
        EXPECT_TRUE(!doc->SaveLedger() || k >= total) << k;
        doc.reset();
        restart();
        doc = openDoc();
        EXPECT_TRUE(boxes.shown().empty()) << k;
        // The saved records, then each new one written whole: an append, not a rewrite.
        const int loaded = std::min(3 + k / 184, 5);
        EXPECT_EQ(categories(*doc), numberedCategories(1, loaded)) << k;

        // A later save adds behind the records that loaded, never behind torn bytes.
        ASSERT_TRUE(doc->AddRecord(record(Numbered(loaded + 1))) && doc->SaveLedger());
        EXPECT_EQ(readFile(ledgerPath()), CurrentLedger(loaded + 1)) << k;
    }
}

TEST_F(CrashCutTest, TemplateSaveLeavesTheOldOrTheNewFile) {
    const Template lunch{QStringLiteral(u"昼食"), Numbered(1)};
    expectOldOrNew(datafile::kTemplates, TemplateFile({lunch}), TemplateFile({lunch, lunch}),
                   [&](int k) {
                       const auto doc = openDoc();
                       const TemplateRecord first = doc->Templates()[0];
                       EXPECT_EQ(doc->AddTemplate(FieldText(first.name), first.record), 1);
                       cutAfter(k);
                       return doc->SaveTemplates();
                   });
}

TEST_F(CrashCutTest, ListWriteLeavesTheOldOrTheNewList) {
    const QStringList list = {QStringLiteral(u"食費"), QStringLiteral(u"家賃")};
    const auto doc = openDoc();
    expectOldOrNew(datafile::kCategories, ListFile(list), ListFile({list[1], list[0]}), [&](int k) {
        cutAfter(k);
        return WriteListMostRecentFirst(CategoryListPath(*doc), list, list[1]);
    });
}

TEST_F(CrashCutTest, SettingsSaveLeavesTheOldOrTheNewValues) {
    for (int k = 0; k <= 1000000; k += 13) {
        auto doc = openDoc();
        doc->m_nMonthStartDay = 10, doc->m_nWeekStartDay = 0;
        doc->SaveSettings();
        doc->m_nMonthStartDay = 20, doc->m_nWeekStartDay = 3;
        cutAfter(k);
        doc->SaveSettings();
        doc.reset();
        const bool complete = !faults::WritesCut();
        restart();
        doc = openDoc();
        const auto days = std::pair(doc->m_nMonthStartDay, doc->m_nWeekStartDay);
        EXPECT_TRUE(days == std::pair(10, 0) || days == std::pair(20, 3)) << k;
        if (complete) break; // the whole save fitted in k bytes
    }
}

} // namespace
