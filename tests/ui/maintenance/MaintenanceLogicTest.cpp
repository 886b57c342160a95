// The item lists' rules and the organize dialog's periods.
#include "support/DocTest.h"

#include "ui/maintenance/FolderBrowser.h"
#include "ui/maintenance/ItemLists.h"
#include "ui/maintenance/OrganizePeriod.h"

using namespace maintenance;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString k31 = u"abcdefghijklmnopqrstuvwxyz01234"_s;
const QString kClef = u"\U0001D11E"_s; // two UTF-16 units

class ItemListsTest : public DocTest {};

// Texts are cut to whole characters, record fields to 15 units and saved list texts to
// 31, empty ones left out. Files go only with the last entry of their name, compared as
// file names are; a category text with a path in it stays inside its list folder.
TEST_F(ItemListsTest, TextsAreCutFilesGoWithTheLastNameAndStayInTheirFolder) {
    const std::tuple<QString, int, QString> rows[] = {
        {k31.left(30) + kClef, 31, k31.left(30)}, // a pair at the edge is dropped
        {k31.left(29) + kClef, 31, k31.left(29) + kClef},
        {k31.left(14) + kClef, 15, k31.left(14)},
        {u"あいうえおかきくけこさしすせそた"_s, 15, u"あいうえおかきくけこさしすせそ"_s},
    };
    for (const auto& [text, max, cut] : rows) {
        InOutRecord r{};
        SetFieldText(r.remark, text); // a record field holds 15
        EXPECT_EQ(max == kMaxTextLength ? FieldText(r.remark) : CutText(text, max), cut);
    }
    EXPECT_EQ(TextsForSaving({k31 + u"Z"_s, QString(), u"a"_s}), (QStringList{k31, u"a"_s}));
    EXPECT_FALSE(MayRemoveCategoryFiles({u"abcdefghijklmnoX"_s, u"abcdefghijklmnoY"_s}, 0));
    EXPECT_FALSE(MayRemoveCategoryFiles({u"食費"_s}, 1)); // no such row
    const std::vector<ListChoice> choices = BuildListChoices(*openDoc(), {u"..\\x"_s});
    EXPECT_EQ(choices[1].path, inFolder(u"\\備考\\%002E.%005Cx.DAT"_s)); // dots, backslash escaped
    EXPECT_EQ(choices[3].path, inFolder(u"\\支払方法.DAT"_s));
    EXPECT_EQ(ChildPath(u"\\a\\"_s, u"b"_s), u"\\a\\b"_s);
}

plat::TimeValue Day(int y, int m, int d, int h = 0) {
    return plat::TimeFromFields(y, m, d, h);
}

// A changed start ends the day before the same day next month, at most at February's end;
// the default is the month around today from the month start; the end has its last second.
TEST(OrganizePeriodTest, EndFollowsTheStartAndTheDefaultIsTheMonthAroundToday) {
    EXPECT_EQ(OrganizeEndFor(Day(2008, 8, 1, 9)), Day(2008, 8, 31, 9)); // the time of day kept
    const std::tuple<plat::TimeValue, int, plat::TimeValue, plat::TimeValue> defaults[] = {
        {Day(2008, 8, 1, 15), 1, Day(2008, 8, 1), Day(2008, 8, 31)},
        {Day(2008, 5, 10), 31, Day(2008, 5, 1), Day(2008, 5, 31)}, // April has no 31st
        {Day(2008, 3, 10), 25, Day(2008, 2, 25), Day(2008, 3, 24)},
        {Day(2009, 1, 5), 10, Day(2008, 12, 10), Day(2009, 1, 9)},
        {Day(2007, 2, 5), 30, Day(2007, 1, 30), Day(2007, 2, 28)},
        {Day(2008, 6, 3), 0, Day(2008, 6, 1), Day(2008, 6, 30)},
        {Day(2008, 2, 5), 29, Day(2008, 1, 29), Day(2008, 2, 28)}, // 30 days, still February
        {Day(2008, 2, 5), 31, Day(2008, 1, 31), Day(2008, 2, 29)}, // at most February's end
    };
    for (const auto& [now, monthStart, start, end] : defaults) {
        const OrganizePeriod p = DefaultOrganizePeriod(now, monthStart);
        EXPECT_EQ(std::pair(p.start, p.end), std::pair(start, end)) << now;
    }
    EXPECT_EQ(LastSecondOfDay(Day(2008, 8, 31, 7)), plat::TimeFromFields(2008, 8, 31, 23, 59, 59));
}

} // namespace
