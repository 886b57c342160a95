// The slot operations of the template table: the used slots stay first, in
// the user's order, and every slot leaves a delete either used or "未設定".
#include "ui/entry/TemplateSlots.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

// A table with `used` named slots "T0", "T1", ... (each amount 100 × slot + 1)
// and the rest free and named "未設定", built field by field.
TemplateSlots Table(int used) {
    TemplateSlots table;
    std::memset(&table, 0, sizeof table);
    for (int i = 0; i < kTemplateSlots; ++i) {
        TemplateRecord& t = table[static_cast<std::size_t>(i)];
        const QString name = i < used ? u"T%1"_s.arg(i) : u"未設定"_s;
        for (int k = 0; k < name.size(); ++k)
            t.name[k] = name[k].unicode();
        if (i < used) {
            t.record.id = 1;
            t.record.amount = 100 * i + 1;
        }
    }
    return table;
}

// Names of the used slots, in slot order, and whether the rest are clean free slots.
QStringList UsedNames(const TemplateSlots& table) {
    QStringList names;
    for (const TemplateRecord& t : table)
        if (t.record.id != 0) names << QString::fromUtf16(t.name);
    return names;
}

bool IsCleanFree(const TemplateRecord& t) {
    InOutRecord zero{};
    return std::memcmp(&t.record, &zero, sizeof zero) == 0 &&
           QString::fromUtf16(t.name) == u"未設定"_s;
}

} // namespace

TEST(TemplateSlots, CountStopsAtTheFirstFreeSlot) {
    EXPECT_EQ(CountTemplates(Table(0)), 0);
    EXPECT_EQ(CountTemplates(Table(4)), 4);
    EXPECT_EQ(CountTemplates(Table(10)), 10);
    TemplateSlots gap = Table(5);
    gap[2].record.id = 0;
    EXPECT_EQ(CountTemplates(gap), 2);
}

TEST(TemplateSlots, LineCarriesTheSlotNumberFromZeroAndTheName) {
    TemplateSlots table = Table(4);
    std::memset(table[3].name, 0, sizeof table[3].name);
    const QString lunch = u"昼食"_s;
    for (int k = 0; k < lunch.size(); ++k)
        table[3].name[k] = lunch[k].unicode();
    EXPECT_EQ(TemplateLine(table, 3), u" 3:昼食"_s);
    EXPECT_EQ(TemplateLine(table, 0), u" 0:T0"_s);
}

TEST(TemplateSlots, NewRecordHasTheDefaultTextsAndTheDate) {
    plat::SYSTEMTIME date{};
    date.wYear = 2008;
    date.wMonth = 3;
    date.wDay = 10;
    const InOutRecord r = NewTemplateRecord(date);
    EXPECT_EQ(r.id, 0);
    EXPECT_EQ(QString::fromUtf16(r.category), u""_s);
    EXPECT_EQ(QString::fromUtf16(r.remark), u"その他"_s);
    EXPECT_EQ(QString::fromUtf16(r.payee), u"その他"_s);
    EXPECT_EQ(QString::fromUtf16(r.payMethod), u"現金"_s);
    EXPECT_EQ(r.amount, 0);
    EXPECT_EQ(std::memcmp(&r.date, &date, sizeof date), 0);
}

TEST(TemplateSlots, AddFillsTheFirstFreeSlotAndMarksItUsed) {
    TemplateSlots table = Table(3);
    InOutRecord r{};
    r.id = 57; // whatever the record held, the slot mark is 1
    r.amount = -2500;
    EXPECT_EQ(AddTemplate(&table, u"給料日の外食はちょっと豪華にする"_s, r), 3);
    EXPECT_EQ(table[3].record.id, 1);
    EXPECT_EQ(table[3].record.amount, -2500);
    EXPECT_EQ(QString::fromUtf16(table[3].name),
              u"給料日の外食はちょっと豪華にす"_s); // 15 characters kept
    EXPECT_EQ(CountTemplates(table), 4);
}

TEST(TemplateSlots, AddToAFullTableChangesNothing) {
    TemplateSlots table = Table(10);
    const TemplateSlots before = table;
    EXPECT_EQ(AddTemplate(&table, u"十一"_s, InOutRecord{}), -1);
    EXPECT_EQ(std::memcmp(&table, &before, sizeof table), 0);
}

TEST(TemplateSlots, StoreOutsideTheTableIsRefused) {
    TemplateSlots table = Table(2);
    const TemplateSlots before = table;
    EXPECT_FALSE(StoreTemplate(&table, -1, u"x"_s, InOutRecord{}));
    EXPECT_FALSE(StoreTemplate(&table, kTemplateSlots, u"x"_s, InOutRecord{}));
    EXPECT_EQ(std::memcmp(&table, &before, sizeof table), 0);
}

struct DeleteRow {
    const char* name;
    int used;
    int slot;
    bool done;
    QStringList after;
};
void PrintTo(const DeleteRow& row, std::ostream* os) {
    *os << row.name;
}
class TemplateDelete : public ::testing::TestWithParam<DeleteRow> {};

TEST_P(TemplateDelete, LaterSlotsMoveUpAndTheRestIsFree) {
    const DeleteRow& row = GetParam();
    TemplateSlots table = Table(row.used);
    EXPECT_EQ(DeleteTemplate(&table, row.slot), row.done);
    EXPECT_EQ(UsedNames(table), row.after);
    for (int i = static_cast<int>(row.after.size()); i < kTemplateSlots; ++i)
        EXPECT_TRUE(IsCleanFree(table[static_cast<std::size_t>(i)])) << "slot " << i;
    // The records moved with their names.
    for (int i = 0; i < row.after.size(); ++i)
        EXPECT_EQ(table[static_cast<std::size_t>(i)].record.amount,
                  100 * row.after[i].mid(1).toInt() + 1);
}

const DeleteRow kDeleteRows[] = {
    {"ThirdOfTen",
     10,
     2,
     true,
     {u"T0"_s, u"T1"_s, u"T3"_s, u"T4"_s, u"T5"_s, u"T6"_s, u"T7"_s, u"T8"_s, u"T9"_s}},
    {"SecondOfFour", 4, 1, true, {u"T0"_s, u"T2"_s, u"T3"_s}},
    {"LastOfTen",
     10,
     9,
     true,
     {u"T0"_s, u"T1"_s, u"T2"_s, u"T3"_s, u"T4"_s, u"T5"_s, u"T6"_s, u"T7"_s, u"T8"_s}},
    {"TheOnlyOne", 1, 0, true, {}},
    {"FreeSlotRefused", 3, 5, false, {u"T0"_s, u"T1"_s, u"T2"_s}},
    {"OutsideRefused", 3, 10, false, {u"T0"_s, u"T1"_s, u"T2"_s}},
    {"NegativeRefused", 3, -1, false, {u"T0"_s, u"T1"_s, u"T2"_s}},
};
INSTANTIATE_TEST_SUITE_P(TemplateSlots, TemplateDelete, ::testing::ValuesIn(kDeleteRows),
                         [](const auto& row) { return std::string(row.param.name); });

struct MoveRow {
    const char* name;
    int used;
    int slot;
    int direction;
    bool done;
    QStringList after;
};
void PrintTo(const MoveRow& row, std::ostream* os) {
    *os << row.name;
}
class TemplateMove : public ::testing::TestWithParam<MoveRow> {};

TEST_P(TemplateMove, SwapsWithTheNeighbourOnlyWithinTheUsedSlots) {
    const MoveRow& row = GetParam();
    TemplateSlots table = Table(row.used);
    EXPECT_EQ(MoveTemplate(&table, row.slot, row.direction), row.done);
    EXPECT_EQ(UsedNames(table), row.after);
    EXPECT_EQ(table[1].record.amount, 100 * row.after.value(1).mid(1).toInt() + 1);
}

const MoveRow kMoveRows[] = {
    {"UpSwapsWithTheOneAbove", 3, 2, -1, true, {u"T0"_s, u"T2"_s, u"T1"_s}},
    {"DownSwapsWithTheOneBelow", 3, 0, 1, true, {u"T1"_s, u"T0"_s, u"T2"_s}},
    {"UpOnTheFirstRefused", 3, 0, -1, false, {u"T0"_s, u"T1"_s, u"T2"_s}},
    {"DownOnTheLastRefused", 3, 2, 1, false, {u"T0"_s, u"T1"_s, u"T2"_s}},
    {"DownOnTheTenthRefused",
     10,
     9,
     1,
     false,
     {u"T0"_s, u"T1"_s, u"T2"_s, u"T3"_s, u"T4"_s, u"T5"_s, u"T6"_s, u"T7"_s, u"T8"_s, u"T9"_s}},
    {"TwoPlacesRefused", 3, 0, 2, false, {u"T0"_s, u"T1"_s, u"T2"_s}},
};
INSTANTIATE_TEST_SUITE_P(TemplateSlots, TemplateMove, ::testing::ValuesIn(kMoveRows),
                         [](const auto& row) { return std::string(row.param.name); });
