// The item edit driven as a person does; then the list files' bytes.
#include "support/DocTest.h"
#include "support/ModalRunner.h"

#include "ledger/Lists.h"
#include "ui/framework/testing/Harness.h"
#include "ui/main/CMyTALYView.h"
#include "ui/main/PanelTasks.h"
#include "ui/maintenance/CItemEditDlg.h"

#include <QDir>

using namespace tb::ui;
using namespace tb::ui::testing;
using bytes::ListFile;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kAdd = 1025, kList = 1030, kChange = 1040, kDelete = 1041, kItem = 1042;
constexpr int kChoice = 1043, kClose = 1;

const QString kOther = u"その他"_s, kFood = u"食費"_s, kRent = u"家賃"_s, kLunch = u"昼食"_s;
const QString kCategories = u"\\分類.DAT"_s, kFoodRemarks = u"\\備考\\食費.DAT"_s;
const QString kFoodPayees = u"\\支払先\\食費.DAT"_s;

// The edit's text, then add, change and delete enabled as "ACD", "-" for a disabled one.
std::string Form(const Dialog& d) {
    QString s = Text(d, kItem) + u' ';
    for (const auto& [id, letter] : {std::pair{kAdd, u'A'}, {kChange, u'C'}, {kDelete, u'D'}})
        s += IsEnabled(d, id) ? letter : u'-';
    return s.toStdString();
}

class ItemEditTest : public OpenDocTest {
protected:
    static QStringList Rows(Dialog& d) { return static_cast<CItemEditDlg&>(d).Entries(); }
    int Run(DialogAction drive) {
        CItemEditDlg dlg(doc.get());
        return RunModal(dlg, std::move(drive)).result;
    }
    // Tabs (Shift+Tabs when `back`) until control `id` has the focus, then presses `key`.
    static void PressOn(Dialog& d, int id, int key, bool back = false,
                        Qt::KeyboardModifiers mods = {}) {
        for (int i = 0; i < 12 && d.FocusedControlId() != id; ++i)
            PressKeyInWindow(d, back ? Qt::Key_Backtab : Qt::Key_Tab);
        EXPECT_EQ(d.FocusedControlId(), id);
        PressKeyInWindow(d, key, mods);
    }
};

// The panel runs it on the categories. The edit and the clicked entry enable the
// buttons; the list shown is written when another is chosen, not over one unread.
TEST_F(ItemEditTest, EditsAreWrittenPerListButNotOverAnUnreadableOne) {
    writeData(kCategories, ListFile({kFood, kRent}));
    // A folder where the payee file should be: it cannot be opened as a file.
    ASSERT_TRUE(QDir().mkpath(host(inFolder(kFoodPayees))));
    const DialogAction drive = [](Dialog& d) {
        ClickListRow(d, kList, 1);
        EXPECT_EQ(Form(d), "家賃 --D");
        TypeText(d, kItem, u"X"_s);
        EXPECT_EQ(Form(d), "家賃X ACD");
        ClearText(d, kItem);
        EXPECT_EQ(Form(d), " --D");
        TypeText(d, kItem, u"光熱"_s);
        Click(d, kChange);
        EXPECT_EQ(Form(d), " ---");
        TypeText(d, kItem, kFood);
        Click(d, kAdd); // no duplicate check
        SelectText(d, kChoice, u"備考\\食費"_s);
        TypeText(d, kItem, kLunch);
        Click(d, kAdd);
        ClickListRow(d, kList, 0);
        Click(d, kDelete);
        SelectText(d, kChoice, u"分類"_s);
        // Categories added while the dialog runs get their lists next time.
        EXPECT_EQ(Items(d, kChoice).size(), 6);
        SelectText(d, kChoice, u"支払先\\食費"_s);
        EXPECT_EQ(Rows(d), (QStringList{kFood, u"光熱"_s, kFood})); // the view keeps what it showed
        Click(d, kClose);
    };
    PanelTasks tasks;
    CMyTALYView panel(*doc, tasks);
    EXPECT_EQ(RunActing([&] { Click(panel, 32792); }, {drive}), 0);
    EXPECT_EQ(boxes.texts(), std::vector{u"Error ! ID = 5"_s}); // only categories ask first
    EXPECT_EQ(readData(kCategories), ListFile({kFood, u"光熱"_s, kFood}));
    EXPECT_EQ(readData(kFoodRemarks), ListFile({kLunch}));
    EXPECT_TRUE(QFileInfo(host(inFolder(kFoodPayees))).isDir());
}

// With no category file it shows その他; a close by the window manager saves, cut to 31
// characters. Yes removes the lists of the last entry of that name only (the longer
// name comes first, where a search by prefix would find it); No keeps them.
TEST_F(ItemEditTest, ClosedWindowSavesAndOnlyYesRemovesADeletedCategorysLists) {
    const QString text35 = u"abcdefghijklmnopqrstuvwxyz012345678"_s;
    EXPECT_EQ(Run([&](Dialog& d) {
                  EXPECT_EQ(Items(d, kChoice), (QStringList{u"分類"_s, u"備考\\その他"_s,
                                                            u"支払先\\その他"_s, u"支払方法"_s}));
                  EXPECT_EQ(Form(d), " --D");
                  TypeText(d, kItem, text35);
                  Click(d, kAdd);
                  d.close();
              }),
              IDCANCEL);
    EXPECT_EQ(readData(kCategories), ListFile({kOther, text35.left(31)}));
    writeData(kCategories, ListFile({u"食費外食"_s, kFood, kFood, kRent}));
    writeData(kFoodRemarks, ListFile({kLunch}));
    writeData(kFoodPayees, ListFile({kLunch}));
    writeData(u"\\備考\\食費外食.DAT"_s, ListFile({kLunch}));
    for (int answer : {plat::IDYES, plat::IDYES, plat::IDNO})
        boxes.answerNext(answer);
    Run([&](Dialog& d) {
        ClickListRow(d, kList, 2);
        Click(d, kDelete); // another 食費 remains: its lists stay
        EXPECT_TRUE(fileExists(inFolder(kFoodRemarks)));
        ClickListRow(d, kList, 1);
        Click(d, kDelete);
        EXPECT_EQ(Form(d), " ---");
        ClickListRow(d, kList, 0);
        Click(d, kDelete); // No
        // One choice of each went: the list choice is built once per entry.
        EXPECT_EQ(Items(d, kChoice),
                  (QStringList{u"分類"_s, u"備考\\食費外食"_s, u"備考\\食費"_s, u"備考\\家賃"_s,
                               u"支払先\\食費外食"_s, u"支払先\\食費"_s, u"支払先\\家賃"_s,
                               u"支払方法"_s}));
        Click(d, kClose);
    });
    EXPECT_EQ(boxes.texts(),
              std::vector(3, u"関連づけられた備考と支払先のデータも削除しますか？"_s));
    EXPECT_EQ(std::pair(boxes.shown()[1].caption, boxes.shown()[1].flags),
              std::pair(u"削除"_s, 4u));
    EXPECT_FALSE(fileExists(inFolder(kFoodRemarks)));
    EXPECT_FALSE(fileExists(inFolder(kFoodPayees)));
    EXPECT_TRUE(fileExists(inFolder(u"\\備考\\食費外食.DAT"_s)));
    EXPECT_EQ(readData(kCategories), ListFile({kRent}));
}

// Keys alone: the arrows choose an entry as a click does, a change keeps the
// entry where it was, still selected, and the renamed category keeps its lists.
TEST_F(ItemEditTest, KeysAloneRenameOneCategoryAndDeleteAnother) {
    writeList(datafile::kCategories, {kFood, u"交通費"_s, u"給与"_s});
    writeList(u"\\備考\\給与.DAT"_s, {u"月給"_s});
    writeList(u"\\備考\\交通費.DAT"_s, {u"定期"_s});
    boxes.answerNext(plat::IDYES); // also delete 給与's remark and payee lists
    QStringList afterChange;
    const int result = Run([&](Dialog& d) {
        PressOn(d, kList, Qt::Key_Down); // 交通費, chosen as by a click
        EXPECT_EQ(Text(d, kItem), u"交通費"_s);
        PressOn(d, kItem, Qt::Key_A, true, Qt::ControlModifier);
        TypeKeys(d, u"旅費"_s);
        PressOn(d, kChange, Qt::Key_Return);
        afterChange = {Rows(d).join(u','), QString::number(CurrentIndex(d, kList))};
        PressOn(d, kList, Qt::Key_Down);           // 給与
        PressOn(d, kDelete, Qt::Key_Return, true); // and Yes
        PressOn(d, kClose, Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(afterChange, (QStringList{u"食費,旅費,給与"_s, u"1"_s}));
    EXPECT_EQ(DecodeListFile(readData(kCategories)), (QStringList{kFood, u"旅費"_s}));
    EXPECT_FALSE(fileExists(inFolder(u"\\備考\\給与.DAT"_s)));
    EXPECT_EQ(DecodeListFile(readData(u"\\備考\\交通費.DAT"_s)), QStringList{u"定期"_s});
}

} // namespace
