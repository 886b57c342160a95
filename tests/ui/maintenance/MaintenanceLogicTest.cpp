// The texts written back, the cascade rule of a deleted category, the list
// choice's files, and the organize dialog's periods: the default from today
// and the month start setting, and the end that follows a changed start.
#include "support/DocTest.h"

#include "ledger/Lists.h"
#include "ui/maintenance/FolderBrowser.h"
#include "ui/maintenance/ItemLists.h"
#include "ui/maintenance/OrganizePeriod.h"

using namespace maintenance;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString k31 = u"abcdefghijklmnopqrstuvwxyz01234"_s;
const QString kClef = u"\U0001D11E"_s; // two UTF-16 units
const QString kFood = u"食費"_s;

// Texts are cut to whole characters; the record's field setter cuts its 15
// units the same way, and the lists' saved texts to 31, leaving out empty ones.
TEST(ItemListsTest, TextsAreCutToWholeCharacters) {
    const struct {
        const char* name;
        QString text;
        int max;
        QString cut;
    } rows[] = {
        {"longer", k31 + u"XYZ"_s, 31, k31},
        {"pair at the edge is dropped", k31.left(30) + kClef, 31, k31.left(30)},
        {"pair that fits is kept", k31.left(29) + kClef, 31, k31.left(29) + kClef},
        {"pair at the field's edge", k31.left(14) + kClef, 15, k31.left(14)},
        {"field of kana", u"あいうえおかきくけこさしすせそた"_s, 15,
         u"あいうえおかきくけこさしすせそ"_s},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CutText(row.text, row.max), row.cut);
        if (row.max != kMaxTextLength) continue;
        InOutRecord r{};
        SetFieldText(r.remark, row.text);
        EXPECT_EQ(FieldText(r.remark), row.cut);
    }
    EXPECT_EQ(TextsForSaving({k31 + u"Z"_s, QString(), u"a"_s}), (QStringList{k31, u"a"_s}));
}

TEST(ItemListsTest, FilesGoOnlyWithTheLastEntryOfTheirName) {
    const struct {
        const char* name;
        QStringList categories;
        int index;
        bool mayRemove;
    } rows[] = {
        {"only entry", {kFood}, 0, true},
        {"prefix is another category", {kFood, u"食費外食"_s}, 0, true},
        {"same first 15 characters", {u"abcdefghijklmnoX"_s, u"abcdefghijklmnoY"_s}, 0, false},
        {"no such row", {kFood}, 1, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(MayRemoveCategoryFiles(row.categories, row.index), row.mayRemove);
    }
}

class ItemListFilesTest : public DocTest {};

// The payment methods have one file; a category text with a path in it stays
// inside its list folder.
TEST_F(ItemListFilesTest, ChoicesNameEveryListAndItsFile) {
    const auto doc = openDoc();
    QStringList paths;
    for (const ListChoice& choice : BuildListChoices(*doc, {u"..\\x"_s}))
        paths << choice.path.mid(kFolder.size());
    EXPECT_EQ(paths[3], u"\\支払方法.DAT"_s);
    EXPECT_TRUE(paths[1].startsWith(u"\\備考\\"_s));
    EXPECT_EQ(paths[1].count(u'\\'), 2);
}

// The folder select keeps its paths without the last backslash; other callers
// need not.
TEST(FolderPathTest, ChildOfAFolderEndingInABackslash) {
    EXPECT_EQ(ChildPath(u"\\a\\"_s, u"b"_s), u"\\a\\b"_s);
}

plat::TimeValue Day(int y, int m, int d, int h = 0) {
    return plat::TimeFromFields(y, m, d, h);
}

TEST(OrganizePeriodTest, ChangedStartEndsTheDayBeforeTheSameDayNextMonth) {
    struct Row {
        const char* name;
        plat::TimeValue start;
        plat::TimeValue end;
    } rows[] = {
        {"31 January, common year", Day(2007, 1, 31), Day(2007, 2, 28)},
        {"29 January, leap year", Day(2008, 1, 29), Day(2008, 2, 28)},
        {"31 January, leap year", Day(2008, 1, 31), Day(2008, 2, 29)},
        {"1 February, leap year", Day(2008, 2, 1), Day(2008, 2, 29)},
        {"1 August keeps its time of day", Day(2008, 8, 1, 9), Day(2008, 8, 31, 9)},
        {"15 December", Day(2008, 12, 15), Day(2009, 1, 14)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(OrganizeEndFor(row.start), row.end);
    }
}

TEST(OrganizePeriodTest, DefaultPeriodIsTheMonthAroundToday) {
    struct Row {
        const char* name;
        plat::TimeValue now;
        int monthStart;
        plat::TimeValue start;
        plat::TimeValue end;
    } rows[] = {
        {"August from the 1st", Day(2008, 8, 20, 15), 1, Day(2008, 8, 1), Day(2008, 8, 31)},
        {"start 31 opened on 10 May", Day(2008, 5, 10), 31, Day(2008, 5, 1), Day(2008, 5, 31)},
        {"before the start day: the month before", Day(2008, 3, 10), 25, Day(2008, 2, 25),
         Day(2008, 3, 24)},
        {"January back to December", Day(2009, 1, 5), 10, Day(2008, 12, 10), Day(2009, 1, 9)},
        {"start 31 in December rolls into January", Day(2009, 1, 5), 31, Day(2008, 12, 31),
         Day(2009, 1, 30)},
        {"start 30 in January ends in February", Day(2007, 2, 5), 30, Day(2007, 1, 30),
         Day(2007, 2, 28)},
        {"start 0 is the 1st", Day(2008, 6, 3), 0, Day(2008, 6, 1), Day(2008, 6, 30)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const OrganizePeriod p = DefaultOrganizePeriod(row.now, row.monthStart);
        EXPECT_EQ(p.start, row.start);
        EXPECT_EQ(p.end, row.end);
    }
}

TEST(OrganizePeriodTest, LastSecondOfDayEndsTheDay) {
    EXPECT_EQ(LastSecondOfDay(Day(2008, 8, 31, 7)), plat::TimeFromFields(2008, 8, 31, 23, 59, 59));
}

} // namespace
