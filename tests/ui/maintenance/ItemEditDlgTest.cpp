// The item edit driven as a person does; then the list files' bytes.
#include "support/DocTest.h"
#include "support/ModalRunner.h"

#include "ui/framework/testing/Harness.h"
#include "ui/main/CMyTALYView.h"
#include "ui/main/PanelTasks.h"
#include "ui/maintenance/CItemEditDlg.h"

#include <QDir>
#include <QTreeWidget>

using namespace tb::ui;
using namespace tb::ui::testing;
using bytes::ListFile;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kAdd = 1025, kList = 1030, kChange = 1040, kDelete = 1041, kItem = 1042;
constexpr int kChoice = 1043, kClose = 1;

const QString kFood = u"食費"_s, kLunch = u"昼食"_s;
const QString kCategories = u"\\分類.DAT"_s, kFoodRemarks = u"\\備考\\食費.DAT"_s;
const QString kFoodPayees = u"\\支払先\\食費.DAT"_s, kOtherPayees = u"\\支払先\\その他.DAT"_s;

// The edit's text, then add, change and delete enabled as "ACD", "-" for a disabled one,
// then the selected entry after "@".
std::string Form(const Dialog& d) {
    QString s = Text(d, kItem) + u' ';
    for (const auto& [id, letter] : {std::pair{kAdd, u'A'}, {kChange, u'C'}, {kDelete, u'D'}})
        s += IsEnabled(d, id) ? letter : u'-';
    for (const QTreeWidgetItem* item : ControlAs<QTreeWidget>(d, kList)->selectedItems())
        s += u" @"_s + item->text(0);
    return s.toStdString();
}

class ItemEditTest : public OpenDocTest {
protected:
    static QStringList Rows(Dialog& d) { return static_cast<CItemEditDlg&>(d).Entries(); }
    // Tabs (Shift+Tabs when `back`) until control `id` has the focus, then presses `key`.
    static void PressOn(Dialog& d, int id, int key, bool back = false,
                        Qt::KeyboardModifiers mods = {}) {
        for (int i = 0; i < 12 && d.FocusedControlId() != id; ++i)
            PressKeyInWindow(d, back ? Qt::Key_Backtab : Qt::Key_Tab);
        EXPECT_EQ(d.FocusedControlId(), id);
        PressKeyInWindow(d, key, mods);
    }
};

// The panel runs it on the categories, その他 when they have no file. The edit and
// the clicked entry enable the buttons; the list shown is written when another is
// chosen or the dialog closed, its texts cut to 31 characters, but not over one unread.
TEST_F(ItemEditTest, EditsAreWrittenPerListButNotOverAnUnreadableOne) {
    const QString text35 = u"abcdefghijklmnopqrstuvwxyz012345678"_s, kHeat = u"光熱"_s;
    // A folder where the payee file should be: it cannot be opened as a file.
    ASSERT_TRUE(QDir().mkpath(host(inFolder(kOtherPayees))));
    const DialogAction drive = [&](Dialog& d) {
        EXPECT_EQ(Form(d), " --D @その他");
        ClickListRow(d, kList, 0);
        EXPECT_EQ(Form(d), "その他 --D @その他");
        TypeText(d, kItem, u"X"_s);
        EXPECT_EQ(Form(d), "その他X ACD @その他");
        ClearText(d, kItem);
        EXPECT_EQ(Form(d), " --D @その他");
        TypeText(d, kItem, kHeat);
        Click(d, kChange);
        EXPECT_EQ(Form(d), " --- @光熱");
        TypeText(d, kItem, kHeat);
        Click(d, kAdd); // no duplicate check
        TypeText(d, kItem, text35);
        Click(d, kAdd);
        EXPECT_EQ(Form(d), " --- @" + text35.toStdString()); // the added entry, chosen
        SelectText(d, kChoice, u"支払先\\その他"_s);
        EXPECT_EQ(Rows(d), (QStringList{kHeat, kHeat, text35})); // the view keeps what it showed
        SelectText(d, kChoice, u"備考\\その他"_s);
        TypeText(d, kItem, kLunch);
        Click(d, kAdd);
        ClickListRow(d, kList, 0);
        Click(d, kDelete);
        // Categories added while the dialog runs get their lists next time.
        EXPECT_EQ(Items(d, kChoice),
                  (QStringList{u"分類"_s, u"備考\\その他"_s, u"支払先\\その他"_s, u"支払方法"_s}));
        Click(d, kClose);
    };
    PanelTasks tasks;
    CMyTALYView panel(*doc, tasks);
    EXPECT_EQ(RunActing([&] { Click(panel, 32792); }, {drive}), 0);
    EXPECT_EQ(boxes.texts(), std::vector{u"Error ! ID = 5"_s}); // only categories ask first
    EXPECT_EQ(readData(kCategories), ListFile({kHeat, kHeat, text35.left(31)}));
    EXPECT_EQ(readData(u"\\備考\\その他.DAT"_s), ListFile({kLunch}));
    EXPECT_TRUE(QFileInfo(host(inFolder(kOtherPayees))).isDir());
}

// Keys alone: the arrows choose as a click does; a change keeps the entry's place and
// selection, and the category its lists. Yes removes the lists of the last entry of that
// name only (a longer name first, where a prefix search would find it); No keeps them.
TEST_F(ItemEditTest, KeysAloneRenameACategoryAndOnlyYesRemovesADeletedOnesLists) {
    const QString kEatingOut = u"\\備考\\食費外食.DAT"_s, kFares = u"\\備考\\交通費.DAT"_s;
    writeList(kCategories, {u"食費外食"_s, u"交通費"_s, kFood, kFood});
    for (const QString& list : {kFoodRemarks, kFoodPayees, kEatingOut, kFares})
        writeList(list, {kLunch});
    for (int answer : {plat::IDYES, plat::IDYES, plat::IDNO})
        boxes.answerNext(answer);
    const DialogAction keys = [&](Dialog& d) {
        PressOn(d, kList, Qt::Key_Down); // 交通費, chosen as by a click
        EXPECT_EQ(Text(d, kItem), u"交通費"_s);
        PressOn(d, kItem, Qt::Key_A, true, Qt::ControlModifier);
        TypeKeys(d, u"旅費"_s);
        PressOn(d, kChange, Qt::Key_Return);
        EXPECT_EQ(Rows(d), (QStringList{u"食費外食"_s, u"旅費"_s, kFood, kFood}));
        EXPECT_EQ(CurrentIndex(d, kList), 1);
        PressOn(d, kList, Qt::Key_Down);           // the first 食費
        PressOn(d, kDelete, Qt::Key_Return, true); // Yes, but another 食費 remains
        EXPECT_TRUE(fileExists(inFolder(kFoodRemarks)));
        EXPECT_EQ(Form(d), " ---");
        ClickListRow(d, kList, 2);
        Click(d, kDelete);
        ClickListRow(d, kList, 0);
        Click(d, kDelete); // No
        // One choice of each went: the list choice is built once per entry.
        EXPECT_EQ(Items(d, kChoice),
                  (QStringList{u"分類"_s, u"備考\\食費外食"_s, u"備考\\交通費"_s, u"備考\\食費"_s,
                               u"支払先\\食費外食"_s, u"支払先\\交通費"_s, u"支払先\\食費"_s,
                               u"支払方法"_s}));
        d.close(); // by the window manager: a cancel that saves as well
    };
    CItemEditDlg dlg(doc.get());
    EXPECT_EQ(RunModal(dlg, keys).result, IDCANCEL);
    EXPECT_EQ(boxes.texts(),
              std::vector(3, u"関連づけられた備考と支払先のデータも削除しますか？"_s));
    EXPECT_EQ(std::pair(boxes.shown()[1].caption, boxes.shown()[1].flags),
              std::pair(u"削除"_s, 4u));
    EXPECT_EQ(readData(kCategories), ListFile({u"旅費"_s}));
    EXPECT_FALSE(fileExists(inFolder(kFoodRemarks)));
    EXPECT_FALSE(fileExists(inFolder(kFoodPayees)));
    EXPECT_TRUE(fileExists(inFolder(kEatingOut)));
    EXPECT_EQ(readData(kFares), ListFile({kLunch}));
}

} // namespace
