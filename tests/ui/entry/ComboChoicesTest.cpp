// What an entry field's drop-down offers for the entry's own text.
#include "ui/entry/ComboChoices.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct ChoiceRow {
    const char* name;
    QStringList list;
    QString value;
    QStringList items;
    int selected;
};

const ChoiceRow kRows[] = {
    {"EmptyValueSelectsNothing", {u"昼食"_s}, u""_s, {u"昼食"_s}, -1},
    {"LastOfRepeats",
     {u"現金"_s, u"カード"_s, u"現金"_s},
     u"現金"_s,
     {u"現金"_s, u"カード"_s, u"現金"_s},
     2},
    {"LetterCaseCounts", {u"JR"_s}, u"jr"_s, {u"JR"_s, u"jr"_s}, 1},
};

TEST(ComboChoices, ItemsAndSelection) {
    for (const ChoiceRow& row : kRows) {
        SCOPED_TRACE(row.name);
        const ComboChoices choices = ChoicesWithValue(row.list, row.value);
        EXPECT_EQ(choices.items, row.items);
        EXPECT_EQ(choices.selected, row.selected);
    }
}

} // namespace
