// The texts written back, the cascade rule of a deleted category, the list
// choice's files, and the paths the folder select walks.
#include "support/DocTest.h"

#include "ledger/Lists.h"
#include "ui/maintenance/FolderBrowser.h"
#include "ui/maintenance/ItemLists.h"

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

// A category text with a path in it stays inside its list folder.
TEST_F(ItemListFilesTest, ChoicesNameEveryListAndItsFile) {
    const auto doc = openDoc();
    QStringList labels, paths;
    for (const ListChoice& choice : BuildListChoices(*doc, {kFood, u"..\\x"_s})) {
        labels << choice.label;
        paths << choice.path.mid(kFolder.size());
    }
    EXPECT_EQ(labels, (QStringList{u"分類"_s, u"備考\\食費"_s, u"備考\\..\\x"_s, u"支払先\\食費"_s,
                                   u"支払先\\..\\x"_s, u"支払方法"_s}));
    EXPECT_EQ(paths[3], u"\\支払先\\食費.DAT"_s);
    EXPECT_EQ(paths[5], u"\\支払方法.DAT"_s);
    EXPECT_TRUE(paths[2].startsWith(u"\\備考\\"_s));
    EXPECT_EQ(paths[2].count(u'\\'), 2);
}

TEST(FolderPathTest, LevelsParentsAndChildren) {
    const QStringList twoLevels{u"\\"_s, u"  My Documents"_s, u"    Tallybook"_s};
    EXPECT_EQ(LevelItems(PathLevels(u"\\My Documents\\Tallybook\\"_s)), twoLevels);
    EXPECT_EQ(LevelItems(PathLevels(u"\\"_s)), QStringList{u"\\"_s});
    EXPECT_EQ(ParentPath(u"\\My Documents\\Tallybook\\"_s), u"\\My Documents"_s);
    const QStringList levels = PathLevels(u"\\a\\b\\c"_s);
    EXPECT_EQ(PathOfLevels(levels, 2), u"\\a\\b"_s);
    EXPECT_EQ(ChildPath(QString(), u"a"_s), u"\\a"_s);
    EXPECT_EQ(ChildPath(u"\\a\\"_s, u"b"_s), u"\\a\\b"_s);
}

TEST(FolderPathTest, ExtensionIgnoresCaseAndNeedsTheWholeEnd) {
    EXPECT_TRUE(HasExtension(u"20080801-20080831.CSV"_s, u".csv"_s));
    EXPECT_FALSE(HasExtension(u"a.csv.bak"_s, u".csv"_s));
    EXPECT_FALSE(HasExtension(u"acsv"_s, u".csv"_s));
    EXPECT_FALSE(HasExtension(u"sv"_s, u".csv"_s));
}

} // namespace
