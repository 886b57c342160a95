// What an entry field's drop-down offers for the entry's own text.
#include "ui/entry/ComboChoices.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

QStringList Split(const char* texts) {
    return QString::fromUtf8(texts).split(u' ', Qt::SkipEmptyParts);
}

// The list and value given, the items offered and the one selected.
TEST(ComboChoices, ItemsAndSelection) {
    const std::tuple<const char*, const char*, const char*, int> rows[] = {
        {"昼食", "", "昼食", -1},                            // an empty value selects nothing
        {"現金 カード 現金", "現金", "現金 カード 現金", 2}, // the last of repeats
        {"JR", "jr", "JR jr", 1},                            // letter case counts
    };
    for (const auto& [list, value, items, selected] : rows) {
        SCOPED_TRACE(list);
        const ComboChoices choices = ChoicesWithValue(Split(list), QString::fromUtf8(value));
        EXPECT_EQ(choices.items, Split(items));
        EXPECT_EQ(choices.selected, selected);
    }
}

} // namespace
