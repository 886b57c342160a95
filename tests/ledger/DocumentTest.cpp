// The document's list operations, its three save states, and opening and
// closing the data of a folder.
#include "support/DocTest.h"

#include "platform/Faults.h"

#include <functional>
#include <tuple>

using namespace bytes;
namespace faults = plat::faults;

namespace {

class DocumentTest : public DocTest {};

TEST_F(DocumentTest, ListChangesRenumberAndKeepTheBalance) {
    writeData(datafile::kLedger, CurrentLedger(4));
    const auto doc = openDoc();
    ASSERT_TRUE(doc->LoadLedger()); // a reload replaces the list instead of adding to it
    // Ids that are not in the list change nothing, nor does an addition
    // whose node cannot be allocated.
    EXPECT_FALSE(doc->DeleteRecord(5));
    EXPECT_FALSE(doc->DeleteRecord(0));
    EXPECT_FALSE(doc->ReplaceRecord(5, record(Numbered(5))));
    EXPECT_EQ(doc->FindRecord(-1), nullptr);
    faults::FailNth(faults::Op::Alloc, 1, plat::ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_FALSE(doc->AddRecord(record(Numbered(5))));
    EXPECT_EQ(errorCodes(), std::vector<int>{plat::ERROR_NOT_ENOUGH_MEMORY});
    EXPECT_EQ(doc->Tail()->next, nullptr);
    EXPECT_EQ(doc->Count(), 4u);
    EXPECT_EQ(doc->Balance(), -1000);
    EXPECT_FALSE(doc->IsDirty());
    // An income replacing an expense raises the balance; a wrong id from the
    // caller does not break the numbering.
    Entry income = Numbered(5);
    income.amount = -500;
    income.id = 99;
    ASSERT_TRUE(doc->ReplaceRecord(1, record(income)));
    EXPECT_EQ(doc->Balance(), -400);
    EXPECT_EQ(doc->Head()->record.id, 1);
    // Deleting moves later ids up, and the next addition takes the last id.
    ASSERT_TRUE(doc->DeleteRecord(2));
    EXPECT_EQ(ids(*doc), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(categories(*doc),
              (QStringList{income.category, Numbered(3).category, Numbered(4).category}));
    EXPECT_EQ(doc->Balance(), -200);
    ASSERT_TRUE(doc->AddRecord(record(Numbered(9))));
    EXPECT_EQ(doc->Tail()->record.id, 4);
    EXPECT_EQ(doc->FindRecord(4), doc->Tail());
    // Deleting down to the only record and then that one empties the list.
    for (int left = 4; left > 0; --left)
        ASSERT_TRUE(doc->DeleteRecord(1)) << left;
    EXPECT_EQ(doc->Head(), nullptr);
    EXPECT_EQ(doc->Tail(), nullptr);
    EXPECT_EQ(doc->Count(), 0u);
    EXPECT_EQ(doc->Balance(), 0);
}

TEST_F(DocumentTest, SaveStatesFollowTheKindOfChange) {
    writeData(datafile::kLedger, CurrentLedger(2));
    const auto doc = openDoc();
    struct Step {
        const char* name;
        std::function<bool()> change;
        bool dirty, appendOnly;
    };
    const Step steps[] = {
        {"add from clean", [&] { return doc->AddRecord(record(Numbered(3))); }, true, true},
        {"add again", [&] { return doc->AddRecord(record(Numbered(4))); }, true, true},
        {"replace", [&] { return doc->ReplaceRecord(1, record(Numbered(1))); }, true, false},
        {"add after replace", [&] { return doc->AddRecord(record(Numbered(5))); }, true, false},
        {"save", [&] { return doc->SaveLedger(); }, false, false},
        {"delete", [&] { return doc->DeleteRecord(5); }, true, false},
        {"save again", [&] { return doc->SaveLedger(); }, false, false},
        {"add after save", [&] { return doc->AddRecord(record(Numbered(5))); }, true, true},
    };
    for (const Step& s : steps) {
        ASSERT_TRUE(s.change()) << s.name;
        EXPECT_EQ(doc->IsDirty(), s.dirty) << s.name;
        EXPECT_EQ((doc->NextLedgerSave() == CMyTALYDoc::LedgerSave::Append), s.appendOnly)
            << s.name;
    }
    EXPECT_EQ(doc->FirstUnsaved(), doc->Tail());
}

TEST_F(DocumentTest, HeapThatCannotBeCreatedShowsOutOfMemoryAndAdditionsFail) {
    faults::FailNth(faults::Op::Alloc, 1, plat::ERROR_NOT_ENOUGH_MEMORY);
    const auto doc = openDoc();
    ASSERT_EQ(boxes.shown().size(), 1u);
    const RecordedBox box = boxes.shown()[0];
    EXPECT_EQ(std::tuple(box.text, box.caption, box.flags),
              std::tuple(QStringLiteral(u"メモリを確保できませんでした。他のアプリケーションを"
                                        u"終了して、起動しなおしてください。"),
                         QStringLiteral(u"メモリ不足"), unsigned{plat::MB_OK}));
    EXPECT_FALSE(doc->IsOpen());
    EXPECT_FALSE(doc->LoadLedger());
    EXPECT_FALSE(doc->AddRecord(record(Numbered(1))));
    EXPECT_EQ(errorCodes(), std::vector<int>{plat::ERROR_NOT_ENOUGH_MEMORY});
    EXPECT_EQ(doc->Count(), 0u);
}

} // namespace
