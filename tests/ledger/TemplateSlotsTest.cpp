// The document's template operations: the used slots stay first, in the
// user's order, every slot a delete leaves is "未設定", and each change marks
// the templates changed while a refused one changes nothing.
#include "support/DocTest.h"

#include "ledger/TemplateSlots.h"

#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

// Templates "T0", "T1", ... with amounts 100 × slot + 1.
std::vector<bytes::Template> Named(int used) {
    std::vector<bytes::Template> list;
    for (int i = 0; i < used; ++i) {
        bytes::Entry e;
        e.amount = 100 * i + 1;
        list.push_back({u"T%1"_s.arg(i), e});
    }
    return list;
}

QStringList UsedNames(const TemplateSlots& table) {
    QStringList names;
    for (const TemplateRecord& t : table)
        if (IsTemplateUsed(t)) names << TemplateName(t);
    return names;
}

bool IsCleanFree(const TemplateRecord& t) {
    const InOutRecord zero{};
    return std::memcmp(&t.record, &zero, sizeof zero) == 0 && TemplateName(t) == u"未設定"_s;
}

class TemplateSlotsTest : public OpenDocTest {
protected:
    CMyTALYDoc& openWith(int used) {
        writeData(datafile::kTemplates, bytes::TemplateFile(Named(used)));
        return reopen();
    }
    // Runs a change and checks that the changed mark follows its result and
    // that a refused change left every byte as it was.
    void expectChange(bool done, const std::function<bool()>& change) {
        const TemplateSlots before = doc->Templates();
        EXPECT_EQ(change(), done);
        EXPECT_EQ(doc->TemplatesChanged(), done);
        if (!done) {
            EXPECT_EQ(std::memcmp(&before, &doc->Templates(), sizeof before), 0);
        }
    }
};

struct ChangeRow {
    std::string name;
    int used;
    std::function<bool(CMyTALYDoc&)> change;
    bool done;
    QStringList after;
};

class TemplateChange : public TemplateSlotsTest, public ::testing::WithParamInterface<ChangeRow> {};

TEST_P(TemplateChange, KeepsTheUsedSlotsFirstAndMarksWhatChanged) {
    const ChangeRow& row = GetParam();
    openWith(row.used);
    expectChange(row.done, [&] { return row.change(*doc); });
    EXPECT_EQ(UsedNames(doc->Templates()), row.after);
    for (int i = static_cast<int>(row.after.size()); i < kTemplateSlots; ++i)
        EXPECT_TRUE(IsCleanFree(doc->Templates()[static_cast<std::size_t>(i)])) << "slot " << i;
    // The records moved with their names.
    for (int i = 0; i < row.after.size(); ++i)
        if (row.after[i].startsWith(u'T')) {
            EXPECT_EQ(doc->Templates()[static_cast<std::size_t>(i)].record.amount,
                      100 * row.after[i].mid(1).toInt() + 1);
        }
}

auto Delete(int slot) {
    return [slot](CMyTALYDoc& d) { return d.DeleteTemplate(slot); };
}
auto Move(int slot, int direction) {
    return [slot, direction](CMyTALYDoc& d) { return d.MoveTemplate(slot, direction); };
}
auto Store(int slot) {
    return [slot](CMyTALYDoc& d) { return d.StoreTemplate(slot, u"新"_s, InOutRecord{}); };
}
const QStringList kThree = {u"T0"_s, u"T1"_s, u"T2"_s};
const QStringList kTen = {u"T0"_s, u"T1"_s, u"T2"_s, u"T3"_s, u"T4"_s,
                          u"T5"_s, u"T6"_s, u"T7"_s, u"T8"_s, u"T9"_s};

INSTANTIATE_TEST_SUITE_P(
    Slots, TemplateChange,
    ::testing::Values(
        ChangeRow{"DeleteThirdOfTen", 10, Delete(2), true,
                  QStringList(kTen).mid(0, 2) + kTen.mid(3)},
        ChangeRow{"DeleteLastOfTen", 10, Delete(9), true, kTen.mid(0, 9)},
        ChangeRow{"DeleteTheOnlyOne", 1, Delete(0), true, {}},
        ChangeRow{"DeleteFreeSlotRefused", 3, Delete(5), false, kThree},
        ChangeRow{"DeleteOutsideRefused", 3, Delete(10), false, kThree},
        ChangeRow{"DeleteNegativeRefused", 3, Delete(-1), false, kThree},
        ChangeRow{"MoveUp", 3, Move(2, -1), true, {u"T0"_s, u"T2"_s, u"T1"_s}},
        ChangeRow{"MoveDown", 3, Move(0, 1), true, {u"T1"_s, u"T0"_s, u"T2"_s}},
        ChangeRow{"MoveUpOnTheFirstRefused", 3, Move(0, -1), false, kThree},
        ChangeRow{"MoveDownOnTheLastRefused", 3, Move(2, 1), false, kThree},
        ChangeRow{"MoveDownOnTheTenthRefused", 10, Move(9, 1), false, kTen},
        ChangeRow{"MoveTwoPlacesRefused", 3, Move(0, 2), false, kThree},
        ChangeRow{"StoreOverAUsedSlot", 3, Store(1), true, {u"T0"_s, u"新"_s, u"T2"_s}},
        ChangeRow{"StoreOutsideRefused", 2, Store(kTemplateSlots), false, {u"T0"_s, u"T1"_s}},
        ChangeRow{"StoreNegativeRefused", 2, Store(-1), false, {u"T0"_s, u"T1"_s}},
        ChangeRow{"AddToAFullTableRefused", 10,
                  [](CMyTALYDoc& d) { return d.AddTemplate(u"十一"_s, InOutRecord{}) >= 0; }, false,
                  kTen}),
    CaseName());

TEST_F(TemplateSlotsTest, AddFillsTheFirstFreeSlotMarkedUsedWithTheNameCutToFifteen) {
    openWith(3);
    InOutRecord r{};
    r.id = 57; // whatever the record held, the slot mark is 1
    r.amount = -2500;
    expectChange(true,
                 [&] { return doc->AddTemplate(u"給料日の外食はちょっと豪華にする"_s, r) == 3; });
    const TemplateRecord& t = doc->Templates()[3];
    EXPECT_EQ(t.record.id, 1);
    EXPECT_EQ(t.record.amount, -2500);
    EXPECT_EQ(TemplateName(t), u"給料日の外食はちょっと豪華にす"_s);
    EXPECT_EQ(CountTemplates(doc->Templates()), 4);
}

} // namespace
