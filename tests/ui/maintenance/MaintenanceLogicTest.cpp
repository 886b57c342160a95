// The list choice, the texts written back, the cascade rule of a deleted
// category, and walking folders for the folder select.
#include "support/DocTest.h"

#include "ledger/Lists.h"
#include "ui/maintenance/FolderBrowser.h"
#include "ui/maintenance/ItemLists.h"

using namespace maintenance;

namespace {

// --- Texts ------------------------------------------------------------------

struct CutCase {
    const char* name;
    QString text;
    int max;
    QString cut;
};
class CutTextTest : public ::testing::TestWithParam<CutCase> {};

// The record's field setter cuts its 15 units the same way.
TEST_P(CutTextTest, KeepsWholeCharacters) {
    EXPECT_EQ(CutText(GetParam().text, GetParam().max), GetParam().cut);
    if (GetParam().max != kMaxTextLength) return;
    InOutRecord r{};
    SetFieldText(r.remark, GetParam().text);
    EXPECT_EQ(FieldText(r.remark), GetParam().cut);
}

const QString k31 = QStringLiteral("abcdefghijklmnopqrstuvwxyz01234");
const QString kClef = QStringLiteral(u"\U0001D11E"); // two UTF-16 units

const CutCase kCutCases[] = {
    {"Shorter", QStringLiteral(u"食費"), 31, QStringLiteral(u"食費")},
    {"Exactly31", k31, 31, k31},
    {"Longer", k31 + QStringLiteral("XYZ"), 31, k31},
    {"SurrogatePairAtTheEdgeIsDropped", k31.left(30) + kClef, 31, k31.left(30)},
    {"SurrogatePairInside", k31.left(29) + kClef, 31, k31.left(29) + kClef},
    {"PairAtTheFieldEdgeIsDropped", k31.left(14) + kClef, 15, k31.left(14)},
    {"Category15", QStringLiteral(u"あいうえおかきくけこさしすせそた"), 15,
     QStringLiteral(u"あいうえおかきくけこさしすせそ")},
};
INSTANTIATE_TEST_SUITE_P(Texts, CutTextTest, ::testing::ValuesIn(kCutCases), CaseName());

TEST(ItemListsTest, SavedTextsAreCutAndNeverEmpty) {
    EXPECT_EQ(TextsForSaving({k31 + QStringLiteral("Z"), QString(), QStringLiteral("a")}),
              (QStringList{k31, QStringLiteral("a")}));
}

struct CascadeCase {
    const char* name;
    QStringList categories;
    int index;
    bool mayRemove;
};
class CascadeTest : public ::testing::TestWithParam<CascadeCase> {};

TEST_P(CascadeTest, FilesGoOnlyWithTheLastEntryOfTheirName) {
    EXPECT_EQ(MayRemoveCategoryFiles(GetParam().categories, GetParam().index),
              GetParam().mayRemove);
}

const QString kFood = QStringLiteral(u"食費");
const QString kFoodOut = QStringLiteral(u"食費外食");

const CascadeCase kCascadeCases[] = {
    {"OnlyEntry", {kFood}, 0, true},
    {"SameTextTwice", {kFood, kFoodOut, kFood}, 2, false},
    {"PrefixIsAnotherCategory", {kFood, kFoodOut}, 0, true},
    {"SameFirst15Characters",
     {QStringLiteral("abcdefghijklmnoX"), QStringLiteral("abcdefghijklmnoY")},
     0,
     false},
    {"NoSuchRow", {kFood}, 1, false},
};
INSTANTIATE_TEST_SUITE_P(Rows, CascadeTest, ::testing::ValuesIn(kCascadeCases), CaseName());

// --- List choice and files ---------------------------------------------------------

class ItemListFilesTest : public DocTest {};

TEST_F(ItemListFilesTest, ChoicesNameEveryListAndItsFile) {
    const auto doc = openDoc();
    const std::vector<ListChoice> c = BuildListChoices(*doc, {kFood, QStringLiteral("..\\x")});
    QStringList labels, paths;
    for (const ListChoice& choice : c) {
        labels << choice.label;
        paths << choice.path;
    }
    EXPECT_EQ(labels, (QStringList{QStringLiteral(u"分類"), QStringLiteral(u"備考\\食費"),
                                   QStringLiteral(u"備考\\..\\x"), QStringLiteral(u"支払先\\食費"),
                                   QStringLiteral(u"支払先\\..\\x"), QStringLiteral(u"支払方法")}));
    EXPECT_EQ(paths[0], inFolder(QStringLiteral(u"\\分類.DAT")));
    EXPECT_EQ(paths[1], inFolder(QStringLiteral(u"\\備考\\食費.DAT")));
    EXPECT_EQ(paths[3], inFolder(QStringLiteral(u"\\支払先\\食費.DAT")));
    EXPECT_EQ(paths[5], inFolder(QStringLiteral(u"\\支払方法.DAT")));
    // A category text with a path in it stays inside its folder.
    EXPECT_TRUE(paths[2].startsWith(inFolder(QStringLiteral(u"\\備考\\"))));
    EXPECT_EQ(paths[2].count(u'\\'), inFolder(QStringLiteral(u"\\備考\\x")).count(u'\\'));
}

TEST_F(ItemListFilesTest, RemovingACategoryDeletesItsTwoFilesOnly) {
    const auto doc = openDoc();
    const QByteArray remarks = bytes::ListFile({QStringLiteral(u"昼食")});
    writeData(QStringLiteral(u"\\備考\\食費.DAT"), remarks);
    writeData(QStringLiteral(u"\\支払先\\食費.DAT"), remarks);
    writeData(QStringLiteral(u"\\備考\\食費外食.DAT"), remarks);
    EXPECT_EQ(RemoveCategoryFiles(*doc, kFood), 2);
    EXPECT_FALSE(fileExists(inFolder(QStringLiteral(u"\\備考\\食費.DAT"))));
    EXPECT_FALSE(fileExists(inFolder(QStringLiteral(u"\\支払先\\食費.DAT"))));
    EXPECT_EQ(readData(QStringLiteral(u"\\備考\\食費外食.DAT")), remarks);
    EXPECT_EQ(RemoveCategoryFiles(*doc, kFood), 0); // already gone: nothing to report
}

// --- Folders -----------------------------------------------------------------

struct PathCase {
    const char* name;
    QString path;
    QStringList levelItems;
    QString parent;
};
class PathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathTest, LevelsAndParent) {
    const PathCase& c = GetParam();
    EXPECT_EQ(LevelItems(PathLevels(c.path)), c.levelItems);
    EXPECT_EQ(ParentPath(c.path), c.parent);
}

const QString kRoot = QStringLiteral("\\");
const PathCase kPathCases[] = {
    {"Root", QString(), {kRoot}, QString()},
    {"RootBackslash", kRoot, {kRoot}, QString()},
    {"OneLevel", QStringLiteral("\\My Documents"), {kRoot, QStringLiteral("  My Documents")}, {}},
    {"TwoLevels",
     QStringLiteral("\\My Documents\\Tallybook"),
     {kRoot, QStringLiteral("  My Documents"), QStringLiteral("    Tallybook")},
     QStringLiteral("\\My Documents")},
    {"TrailingBackslash",
     QStringLiteral("\\My Documents\\Tallybook\\"),
     {kRoot, QStringLiteral("  My Documents"), QStringLiteral("    Tallybook")},
     QStringLiteral("\\My Documents")},
};
INSTANTIATE_TEST_SUITE_P(Paths, PathTest, ::testing::ValuesIn(kPathCases), CaseName());

TEST(FolderPathTest, LevelPathsAndChildren) {
    const QStringList levels = PathLevels(QStringLiteral("\\a\\b\\c"));
    EXPECT_EQ(PathOfLevels(levels, 0), QString());
    EXPECT_EQ(PathOfLevels(levels, 2), QStringLiteral("\\a\\b"));
    EXPECT_EQ(ChildPath(QString(), QStringLiteral("a")), QStringLiteral("\\a"));
    EXPECT_EQ(ChildPath(QStringLiteral("\\a\\"), QStringLiteral("b")), QStringLiteral("\\a\\b"));
}

struct ExtCase {
    const char* name;
    QString file;
    QString ext;
    bool matches;
};
class ExtensionTest : public ::testing::TestWithParam<ExtCase> {};

TEST_P(ExtensionTest, CaseIsIgnored) {
    EXPECT_EQ(HasExtension(GetParam().file, GetParam().ext), GetParam().matches);
}

const ExtCase kExtCases[] = {
    {"UpperFileLowerExt", QStringLiteral("20080801-20080831.CSV"), QStringLiteral(".csv"), true},
    {"Same", QStringLiteral(u"分類.DAT"), QStringLiteral(".DAT"), true},
    {"OtherExt", QStringLiteral("a.csv.bak"), QStringLiteral(".csv"), false},
    {"NoDot", QStringLiteral("acsv"), QStringLiteral(".csv"), false},
    {"ShorterThanExt", QStringLiteral("sv"), QStringLiteral(".csv"), false},
};
INSTANTIATE_TEST_SUITE_P(Names, ExtensionTest, ::testing::ValuesIn(kExtCases), CaseName());

class ListFolderTest : public DeviceTest {};

TEST_F(ListFolderTest, FoldersAndFilesOfTheExtension) {
    writeFile(QStringLiteral("\\Data\\a.CSV"), "x");
    writeFile(QStringLiteral("\\Data\\b.txt"), "x");
    writeFile(QStringLiteral("\\Data\\Sub\\c.csv"), "x");
    writeFile(QStringLiteral("\\Data\\.hidden\\d.csv"), "x");
    QStringList texts;
    for (const FolderEntry& e : ListFolder(QStringLiteral("\\Data"), QStringLiteral(".csv")))
        texts << e.text();
    texts.sort();
    EXPECT_EQ(texts, (QStringList{QStringLiteral("[Sub]"), QStringLiteral("a.CSV")}));
    EXPECT_TRUE(ListFolder(QStringLiteral("\\Missing"), QStringLiteral(".csv")).empty());
}

} // namespace
