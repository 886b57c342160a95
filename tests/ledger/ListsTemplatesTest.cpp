// Lookup-list files, the file names of per-category lists, template files in
// both layouts, and the renaming of files with old English names.
#include "support/DocTest.h"

#include "ledger/Lists.h"
#include "platform/Faults.h"

using namespace bytes;
namespace faults = plat::faults;

namespace {

class ListsTest : public DocTest {};

struct DecodeCase {
    const char* name;
    QByteArray bytes;
    QStringList texts;
};

class ListDecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(ListDecodeTest, ReadsTextsWithoutReadingPastTheBytes) {
    const DecodeCase& c = GetParam();
    EXPECT_EQ(DecodeListFile(c.bytes), c.texts);
}

const QString kFood = QStringLiteral(u"食費");
const QString kRent = QStringLiteral(u"家賃");

const DecodeCase kDecodeCases[] = {
    {"TwoTexts", ListFile({kFood, kRent}), {kFood, kRent}},
    {"CountIsIgnored", QByteArray::fromHex("0900") + ListFile({kFood}).mid(2), {kFood}},
    {"StopsAtTheEmptyText", ListFile({kFood}) + ListFile({kRent}).mid(2), {kFood}},
    {"MissingEndMarker", ListFile({kFood, kRent}).chopped(2), {kFood, kRent}},
    {"LastTextWithoutNul", ListFile({kFood, kRent}).chopped(4), {kFood, kRent}},
    {"OddByteAtTheEnd", ListFile({kFood}).chopped(2) + QByteArray("\x41", 1), {kFood}},
    {"OnlyTheCount", QByteArray::fromHex("0300"), {}},
    {"OneByte", QByteArray::fromHex("03"), {}},
    {"Empty", QByteArray(), {}},
};

INSTANTIATE_TEST_SUITE_P(Bytes, ListDecodeTest, ::testing::ValuesIn(kDecodeCases), CaseName());

TEST_F(ListsTest, FreshFolderShowsOtherAndLeavesAnEmptyFile) {
    const auto doc = openDoc();
    bool ok = false;
    EXPECT_EQ(ReadListFile(CategoryListPath(*doc), ListDefault::Other, &ok),
              QStringList{QStringLiteral(u"その他")});
    EXPECT_TRUE(ok);
    EXPECT_TRUE(fileExists(inFolder(datafile::kCategories)));
    EXPECT_EQ(readData(datafile::kCategories).size(), 0);
    EXPECT_EQ(ReadListFile(PayMethodListPath(*doc), ListDefault::Empty, &ok), QStringList{});
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(ListsTest, ChosenTextMovesToTheFrontWithoutCopies) {
    const auto doc = openDoc();
    writeData(datafile::kCategories, ListFile({kRent, kFood, QStringLiteral(u"その他")}));
    const QStringList list = ReadListFile(CategoryListPath(*doc), ListDefault::Other);
    ASSERT_TRUE(WriteListMostRecentFirst(CategoryListPath(*doc), list, kFood));
    EXPECT_EQ(readData(datafile::kCategories), ListFile({kFood, kRent, QStringLiteral(u"その他")}));
    const QString fresh = QStringLiteral(u"交際費");
    ASSERT_TRUE(WriteListMostRecentFirst(CategoryListPath(*doc), list, fresh));
    EXPECT_EQ(readData(datafile::kCategories),
              ListFile({fresh, kRent, kFood, QStringLiteral(u"その他")}));
}

TEST_F(ListsTest, ListFileFailuresShowTheCodeAndKeepTheOldFile) {
    const auto doc = openDoc();
    const QByteArray original = ListFile({kFood});
    writeData(datafile::kCategories, original);
    bool ok = true;
    faults::FailNth(faults::Op::Open, 1, plat::ERROR_SHARING_VIOLATION);
    EXPECT_EQ(ReadListFile(CategoryListPath(*doc), ListDefault::Other, &ok), QStringList{});
    EXPECT_FALSE(ok);
    faults::FailNth(faults::Op::Read, 1, plat::ERROR_READ_FAULT);
    EXPECT_EQ(ReadListFile(CategoryListPath(*doc), ListDefault::Other, &ok), QStringList{});
    EXPECT_FALSE(ok);
    faults::FailNth(faults::Op::Write, 1, plat::ERROR_DISK_FULL);
    EXPECT_FALSE(WriteListFile(CategoryListPath(*doc), {kRent}));
    EXPECT_EQ(errorCodes(), (std::vector<int>{32, 30, 112}));
    EXPECT_EQ(readData(datafile::kCategories), original);
}

struct NameCase {
    const char* name;
    QString text;
    QString safe;
};

class SafeNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(SafeNameTest, MapsTheTextToThisName) {
    EXPECT_EQ(SafeFileName(GetParam().text), GetParam().safe);
}

const NameCase kNames[] = {
    {"Japanese", QStringLiteral(u"食費"), QStringLiteral(u"食費")},
    {"PercentAlone", QStringLiteral(u"50%オフ"), QStringLiteral(u"50%オフ")},
    {"InnerDots", QStringLiteral("a..b.c"), QStringLiteral("a..b.c")},
    {"LeadingSingleDot", QStringLiteral(".a"), QStringLiteral(".a")},
    {"Empty", QString(), QString()},
    {"Slash", QStringLiteral("a/b"), QStringLiteral("a%002Fb")},
    {"Backslash", QStringLiteral(u"..\\..\\収支"), QStringLiteral(u"%002E.%005C..%005C収支")},
    {"DotDot", QStringLiteral(".."), QStringLiteral("%002E%002E")},
    {"TrailingSpace", QStringLiteral("a "), QStringLiteral("a%0020")},
    {"TrailingDot", QStringLiteral("a."), QStringLiteral("a%002E")},
    {"Reserved", QStringLiteral("a:*?\"<>|"),
     QStringLiteral("a%003A%002A%003F%0022%003C%003E%007C")},
    {"Control", QStringLiteral("a\tb"), QStringLiteral("a%0009b")},
    {"PercentWhenEscaping", QStringLiteral("5%/"), QStringLiteral("5%0025%002F")},
    {"LooksEscaped", QStringLiteral("a%002Fb"), QStringLiteral("a%0025002Fb")},
    {"LooksEscapedLowerCase", QStringLiteral("%00af"), QStringLiteral("%002500af")},
    {"SurrogatePair", QStringLiteral(u"𠮷"), QStringLiteral(u"𠮷")},
    {"LeadingByteOrderMark", QChar(0xFEFF) + QStringLiteral(u"食費"), QStringLiteral(u"%FEFF食費")},
};

INSTANTIATE_TEST_SUITE_P(Texts, SafeNameTest, ::testing::ValuesIn(kNames), CaseName());

TEST_F(ListsTest, PerCategoryPathsStayInTheirFolder) {
    const auto doc = openDoc();
    EXPECT_EQ(RemarkListPath(*doc, kFood), inFolder(QStringLiteral(u"\\備考\\食費.DAT")));
    EXPECT_EQ(PayeeListPath(*doc, kFood), inFolder(QStringLiteral(u"\\支払先\\食費.DAT")));
    EXPECT_EQ(CategoryListPathForPair(*doc, datafile::kRemarkPair, QStringLiteral("..")),
              inFolder(QStringLiteral(u"\\備考\\%002E%002E.DAT")));
    EXPECT_EQ(CategoryListPathForPair(*doc, datafile::kPayeePair, kFood),
              PayeeListPath(*doc, kFood));

    const QString evil = QStringLiteral(u"..\\..\\収支");
    ASSERT_TRUE(WriteListFile(RemarkListPath(*doc, evil), {kFood}));
    EXPECT_EQ(readData(datafile::kLedger).size(), 0); // the ledger was not touched
    EXPECT_EQ(ReadListFile(RemarkListPath(*doc, evil), ListDefault::Empty), QStringList{kFood});
}

// ---------------------------------------------------------------------------

using TemplatesTest = DocTest;

// Templates "定番1", "定番2", ... holding the numbered entries.
std::vector<Template> Standard(int used) {
    std::vector<Template> list;
    for (int i = 1; i <= used; ++i)
        list.push_back({QStringLiteral(u"定番%1").arg(i), Numbered(i)});
    return list;
}

TEST_F(TemplatesTest, OldLayoutLoadsWithZeroTailsAndIsSavedInTheCurrentLayout) {
    QByteArray old;
    for (const Template& t : Standard(3))
        old += TemplateSlot(t).left(184);
    writeData(datafile::kTemplates, old);
    const auto doc = openDoc();
    EXPECT_EQ(FieldText(doc->Templates()[9].name), QStringLiteral(u"未設定"));
    ASSERT_TRUE(doc->MoveTemplate(0, 1) && doc->MoveTemplate(0, 1)); // changed, back as it was
    ASSERT_TRUE(doc->SaveTemplates());
    EXPECT_EQ(readData(datafile::kTemplates), TemplateFile(Standard(3)));
    EXPECT_FALSE(doc->TemplatesChanged());
}

TEST_F(TemplatesTest, TenUsedSlotsAreAllSavedAndAnEleventhSlotInTheFileIsIgnored) {
    writeData(datafile::kTemplates, TemplateFile(Standard(11)));
    const auto doc = openDoc();
    ASSERT_TRUE(doc->MoveTemplate(0, 1) && doc->MoveTemplate(0, 1));
    ASSERT_TRUE(doc->SaveTemplates());
    EXPECT_EQ(readData(datafile::kTemplates), TemplateFile(Standard(10)));
}

TEST_F(TemplatesTest, CutShortFilesLoadTheCompleteSlotsOnly) {
    const QByteArray cases[] = {TemplateFile(Standard(2)).chopped(1), QByteArray("TAL", 3),
                                TemplateFile(Standard(0)).left(6)};
    const int used[] = {1, 0, 0};
    for (int i = 0; i < 3; ++i) {
        writeData(datafile::kTemplates, cases[i]);
        const auto doc = openDoc();
        int n = 0;
        for (const TemplateRecord& t : doc->Templates())
            n += IsTemplateUsed(t) ? 1 : 0;
        EXPECT_EQ(n, used[i]) << "case " << i;
    }
}

TEST_F(TemplatesTest, SaveThatFailsKeepsTheOldFileAndTheChangedMark) {
    writeData(datafile::kTemplates, TemplateFile(Standard(2)));
    const auto doc = openDoc();
    ASSERT_EQ(doc->AddTemplate(QStringLiteral(u"追加"), doc->Templates()[1].record), 2);
    for (const faults::Op op : {faults::Op::Open, faults::Op::Write}) {
        boxes.clear();
        faults::FailNth(op, 1, plat::ERROR_DISK_FULL);
        EXPECT_FALSE(doc->SaveTemplates());
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(boxes.shown()[0].text, QStringLiteral(u"定番データを保存できませんでした。"));
        EXPECT_EQ(boxes.shown()[0].caption, QStringLiteral(u"書き込みエラー"));
        EXPECT_EQ(boxes.shown()[0].flags, unsigned{plat::MB_OK | plat::MB_ICONSTOP});
        EXPECT_TRUE(doc->TemplatesChanged());
        EXPECT_EQ(readData(datafile::kTemplates), TemplateFile(Standard(2)));
    }
    ASSERT_TRUE(doc->SaveTemplates());
    EXPECT_EQ(readData(datafile::kTemplates).size(), 8 + 3 * 216);
}

// ---------------------------------------------------------------------------

class MigrationTest : public DocTest {};

TEST_F(MigrationTest, OldNamesAreCopiedToTheNewOnesOrGiveWayAndAreRemoved) {
    const QByteArray payway = ListFile({QStringLiteral(u"現金")});
    const QByteArray inout = CurrentLedger(2);
    writeData(QStringLiteral("\\GROUP.DAT"), ListFile({kFood}));
    writeData(datafile::kCategories, ListFile({kRent})); // the new file is kept
    writeData(QStringLiteral("\\PAYWAY.DAT"), payway);
    writeData(QStringLiteral("\\INOUT.DAT"), inout);
    const auto doc = openDoc();
    EXPECT_EQ(readData(datafile::kCategories), ListFile({kRent}));
    EXPECT_EQ(readData(datafile::kPayMethods), payway);
    EXPECT_EQ(doc->Count(), 2u);
    for (const char* old : {"\\GROUP.DAT", "\\PAYWAY.DAT", "\\INOUT.DAT"})
        EXPECT_FALSE(fileExists(inFolder(QString::fromLatin1(old)))) << old;
}

TEST_F(MigrationTest, OldLedgerStaysWhenItCannotBeCopied) {
    const QByteArray inout = CurrentLedger(2);
    writeData(QStringLiteral("\\INOUT.DAT"), inout);
    faults::FailNth(faults::Op::Write, 1, plat::ERROR_DISK_FULL);
    openDoc();
    EXPECT_EQ(readData(QStringLiteral("\\INOUT.DAT")), inout);
}

} // namespace
