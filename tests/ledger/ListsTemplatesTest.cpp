// Lookup lists and their file names, templates, and files with old English names.
#include "support/DocTest.h"

#include "ledger/Lists.h"
#include "ledger/TemplateSlots.h"
#include "platform/Faults.h"

#include <cstring>
#include <tuple>

using namespace bytes;
using namespace Qt::Literals::StringLiterals;
namespace faults = plat::faults;

namespace {

using ListsTest = DocTest;

const QString kFood = QStringLiteral(u"食費");
const QString kRent = QStringLiteral(u"家賃");

TEST(ListFileTest, DecodesTheTextsWithoutReadingPastTheBytes) {
    const std::pair<QByteArray, QStringList> files[] = {
        {QByteArray::fromHex("0900") + ListFile({kFood}).mid(2), {kFood}}, // count ignored
        {ListFile({kFood}) + ListFile({kRent}).mid(2), {kFood}}, // stops at the empty text
        {ListFile({kFood, kRent}).chopped(2), {kFood, kRent}},   // no end marker
        {ListFile({kFood, kRent}).chopped(4), {kFood, kRent}},   // last text without its NUL
        {ListFile({kFood}).chopped(2) + QByteArray("\x41", 1), {kFood}}, // odd byte at the end
        {QByteArray::fromHex("0300"), {}},
        {QByteArray::fromHex("03"), {}},
        {QByteArray(), {}},
    };
    for (const auto& [bytes, texts] : files)
        EXPECT_EQ(DecodeListFile(bytes), texts) << bytes.toHex().constData();
}

TEST_F(ListsTest, FreshListShowsOtherChosenTextsMoveToTheFrontFailuresKeepTheFileAndPathsAreSafe) {
    const auto doc = openDoc();
    const QString path = CategoryListPath(*doc);
    const QString other = QStringLiteral(u"その他");
    bool ok = false;
    EXPECT_EQ(ReadListFile(path, ListDefault::Other, &ok), QStringList{other});
    EXPECT_TRUE(ok && fileExists(inFolder(datafile::kCategories)) &&
                readData(datafile::kCategories).isEmpty());
    EXPECT_EQ(ReadListFile(PayMethodListPath(*doc), ListDefault::Empty, &ok), QStringList{});
    EXPECT_TRUE(boxes.shown().empty());

    // The chosen text goes first, without copies.
    writeData(datafile::kCategories, ListFile({kRent, kFood, other}));
    const QStringList list = ReadListFile(path, ListDefault::Other);
    ASSERT_TRUE(WriteListMostRecentFirst(path, list, kFood));
    EXPECT_EQ(readData(datafile::kCategories), ListFile({kFood, kRent, other}));
    const QString fresh = QStringLiteral(u"交際費");
    ASSERT_TRUE(WriteListMostRecentFirst(path, list, fresh));
    const QByteArray written = ListFile({fresh, kRent, kFood, other});
    EXPECT_EQ(readData(datafile::kCategories), written);

    for (const faults::Op op : {faults::Op::Open, faults::Op::Read}) {
        faults::FailNth(op, 1, plat::ERROR_READ_FAULT);
        ok = true;
        EXPECT_EQ(ReadListFile(path, ListDefault::Other, &ok), QStringList{});
        EXPECT_FALSE(ok);
    }
    faults::FailNth(faults::Op::Write, 1, plat::ERROR_DISK_FULL);
    EXPECT_FALSE(WriteListFile(path, {kRent}));
    EXPECT_EQ(errorCodes(), (std::vector<int>{30, 30, 112}));
    EXPECT_EQ(readData(datafile::kCategories), written);

    // Per-category lists live in their folders, under safe names.
    EXPECT_EQ(CategoryListPathForPair(*doc, datafile::kRemarkPair, QStringLiteral("..")),
              inFolder(QStringLiteral(u"\\備考\\%002E%002E.DAT")));
    EXPECT_EQ(CategoryListPathForPair(*doc, datafile::kPayeePair, kFood),
              inFolder(QStringLiteral(u"\\支払先\\食費.DAT")));
}

TEST(SafeFileNameTest, EscapesWhatAFileNameCannotHoldAndNothingElse) {
    for (const QString& plain : {kFood, u"50%オフ"_s, u"a..b.c"_s, u".a"_s, QString(), u"𠮷"_s})
        EXPECT_EQ(SafeFileName(plain), plain);
    const std::pair<QString, QString> names[] = {
        {u"..\\..\\収支"_s, u"%002E.%005C..%005C収支"_s},
        {u"a "_s, u"a%0020"_s},
        {u"a."_s, u"a%002E"_s},
        {u"a:*?\"<>|"_s, u"a%003A%002A%003F%0022%003C%003E%007C"_s},
        {u"a\tb"_s, u"a%0009b"_s},
        {u"5%/"_s, u"5%0025%002F"_s}, // % escaped once escaping
        {u"a%002Fb"_s, u"a%0025002Fb"_s},
        {u"%00af"_s, u"%002500af"_s},
        {QChar(0xD800) + kFood, u"%D800"_s + kFood}, // lone surrogates: the host could not tell
        {QChar(0xDC00) + kFood, u"%DC00"_s + kFood}, // them apart in a file name
        {QChar(0xFEFF) + kFood, u"%FEFF"_s + kFood},
    };
    for (const auto& [text, safe] : names)
        EXPECT_EQ(SafeFileName(text), safe) << text.toStdString();
}

// Templates "T0", "T1", ... with amounts 100 × slot + 1.
std::vector<Template> Named(int used) {
    std::vector<Template> list;
    for (int i = 0; i < used; ++i)
        list.push_back({u"T%1"_s.arg(i), Entry{.amount = 100 * i + 1}});
    return list;
}

// Bytes in, the name the last slot then holds, and the bytes written back.
TEST(TemplateFileTest, LoadsTheCompleteSlotsOfBothLayoutsAndWritesTheCurrentOne) {
    QByteArray old;
    for (const Template& t : Named(3))
        old += TemplateSlot(t).left(184);
    const QString unset = QStringLiteral(u"未設定");
    const std::tuple<QByteArray, QString, QByteArray> files[] = {
        {old, unset, TemplateFile(Named(3))}, // the old layout, tails zero
        {TemplateFile(Named(11)), u"T9"_s, TemplateFile(Named(10))},
        {TemplateFile(Named(2)).chopped(1), unset, TemplateFile(Named(1))},
        {QByteArray("TAL", 3), unset, TemplateFile({})},
        {TemplateFile({}).left(6), unset, TemplateFile({})},
    };
    for (const auto& [in, lastName, out] : files) {
        TemplateSlots table;
        DecodeTemplateFile(in, &table);
        EXPECT_EQ(TemplateName(table[kTemplateSlots - 1]), lastName) << in.toHex().constData();
        EXPECT_EQ(EncodeTemplateFile(table), out) << in.toHex().constData();
    }
}

// The slots up to the last used one: a used one by its name, with "?" when a "T"
// template lost its record; a free one "-", or "dirty" when not zero and unnamed.
QStringList Slots(const TemplateSlots& table) {
    const InOutRecord zero{};
    QStringList out;
    for (const TemplateRecord& t : table) {
        QString name = TemplateName(t);
        if (!IsTemplateUsed(t))
            name = std::memcmp(&t.record, &zero, sizeof zero) || name != kUnsetTemplateName
                       ? u"dirty"_s
                       : u"-"_s;
        else if (name.startsWith(u'T') && t.record.amount != 100 * name.mid(1).toInt() + 1)
            name += u'?';
        out << name;
    }
    while (out.endsWith(u"-"_s))
        out.removeLast();
    return out;
}

using TemplateSlotsTest = OpenDocTest;

TEST_F(TemplateSlotsTest, AddFillsTheFirstFreeSlotAndASaveThatFailsKeepsTheOldFile) {
    writeData(datafile::kTemplates, TemplateFile(Named(2)));
    reopen();
    const InOutRecord r = record({.id = 57, .amount = -2500}); // whatever it held, the mark is 1
    EXPECT_EQ(doc->AddTemplate(u"給料日の外食はちょっと豪華にする"_s, r), 2);
    const TemplateRecord& t = doc->Templates()[2];
    EXPECT_EQ(std::tuple(t.record.id, t.record.amount, TemplateName(t)), // the name cut to 15
              std::tuple(1, -2500, u"給料日の外食はちょっと豪華にす"_s));
    std::size_t failed = 0;
    for (const faults::Op op : {faults::Op::Open, faults::Op::Write}) {
        faults::FailNth(op, 1, plat::ERROR_DISK_FULL);
        EXPECT_FALSE(doc->SaveTemplates());
        EXPECT_EQ(boxes.shown().size(), ++failed); // one box each
        EXPECT_TRUE(doc->TemplatesChanged());
        EXPECT_EQ(readData(datafile::kTemplates), TemplateFile(Named(2)));
    }
    for (const RecordedBox& box : boxes.shown())
        EXPECT_EQ(std::tuple(box.text, box.caption, box.flags),
                  std::tuple(u"定番データを保存できませんでした。"_s, u"書き込みエラー"_s,
                             unsigned{plat::MB_OK | plat::MB_ICONSTOP}));
    ASSERT_TRUE(doc->SaveTemplates());
    EXPECT_FALSE(doc->TemplatesChanged());
}

// A refused change leaves every byte as it was.
TEST_F(TemplateSlotsTest, ChangesKeepTheUsedSlotsFirstAndMarkWhatChanged) {
    const QStringList three = {u"T0"_s, u"T1"_s, u"T2"_s};
    const QStringList ten =
        three + QStringList{u"T3"_s, u"T4"_s, u"T5"_s, u"T6"_s, u"T7"_s, u"T8"_s, u"T9"_s};
    const struct {
        const char* name;
        int used;
        char change; // d delete, m move, s store, a add
        int slot, direction;
        bool done;
        QStringList after; // the used slots' names
    } rows[] = {
        {"delete the third of ten", 10, 'd', 2, 0, true, ten.mid(0, 2) + ten.mid(3)},
        {"delete the last of ten", 10, 'd', 9, 0, true, ten.mid(0, 9)},
        {"delete the only one", 1, 'd', 0, 0, true, {}},
        {"delete a free slot", 3, 'd', 5, 0, false, three},
        {"delete outside", 3, 'd', 10, 0, false, three},
        {"delete negative", 3, 'd', -1, 0, false, three},
        {"move up", 3, 'm', 2, -1, true, {u"T0"_s, u"T2"_s, u"T1"_s}},
        {"move down", 3, 'm', 0, 1, true, {u"T1"_s, u"T0"_s, u"T2"_s}},
        {"move up on the first", 3, 'm', 0, -1, false, three},
        {"move down on the last", 3, 'm', 2, 1, false, three},
        {"move down on the tenth", 10, 'm', 9, 1, false, ten},
        {"move two places", 3, 'm', 0, 2, false, three},
        {"store over a used slot", 3, 's', 1, 0, true, {u"T0"_s, u"新"_s, u"T2"_s}},
        {"store outside", 2, 's', kTemplateSlots, 0, false, three.mid(0, 2)},
        {"store negative", 2, 's', -1, 0, false, three.mid(0, 2)},
        {"add to a full table", 10, 'a', 0, 0, false, ten},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        writeData(datafile::kTemplates, TemplateFile(Named(row.used)));
        const TemplateSlots before = reopen().Templates();
        EXPECT_EQ(row.change == 'd'   ? doc->DeleteTemplate(row.slot)
                  : row.change == 'm' ? doc->MoveTemplate(row.slot, row.direction)
                  : row.change == 's' ? doc->StoreTemplate(row.slot, u"新"_s, InOutRecord{})
                                      : doc->AddTemplate(u"十一"_s, InOutRecord{}) >= 0,
                  row.done);
        EXPECT_EQ(doc->TemplatesChanged(), row.done);
        EXPECT_TRUE(row.done || !std::memcmp(&before, &doc->Templates(), sizeof before));
        EXPECT_EQ(Slots(doc->Templates()), row.after);
    }
}

TEST_F(ListsTest, OldNamesAreCopiedOnceTheyCanBeOrGiveWayAndAreRemoved) {
    const QByteArray payway = ListFile({QStringLiteral(u"現金")});
    const QByteArray inout = CurrentLedger(2);
    writeData(QStringLiteral("\\GROUP.DAT"), ListFile({kFood}));
    writeData(datafile::kCategories, ListFile({kRent})); // the new file is kept
    writeData(QStringLiteral("\\PAYWAY.DAT"), payway);
    writeData(QStringLiteral("\\INOUT.DAT"), inout);
    faults::FailFrom(faults::Op::Write, 1, plat::ERROR_DISK_FULL);
    openDoc(); // no copy succeeds: the old files stay
    faults::Reset();
    EXPECT_EQ(readData(QStringLiteral("\\PAYWAY.DAT")), payway);
    EXPECT_EQ(readData(QStringLiteral("\\INOUT.DAT")), inout);

    const auto doc = openDoc(); // copied over the empty ledger the failed start made
    EXPECT_EQ(readData(datafile::kCategories), ListFile({kRent}));
    EXPECT_EQ(readData(datafile::kPayMethods), payway);
    EXPECT_EQ(doc->Count(), 2u);
    for (const char* old : {"\\GROUP.DAT", "\\PAYWAY.DAT", "\\INOUT.DAT"})
        EXPECT_FALSE(fileExists(inFolder(QString::fromLatin1(old)))) << old;
}

} // namespace
