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

const QString kFood = u"食費"_s, kLunch = u"昼食"_s, kCategories = u"\\分類.DAT"_s;

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

void PressOn(Dialog& d, int id, int key, Qt::KeyboardModifiers mods = {}) {
    PressKeyOn(d, Control(d, id), key, mods);
}

using ItemEditTest = OpenDocTest;

// Keys alone, then the panel's clicks on what was saved. A change keeps the entry's place, its
// selection and the category's lists; Yes removes the lists of the last entry of a name only (a
// longer name first, where a prefix search finds it). The list shown is written when another is
// chosen or the dialog closed, its texts cut to 31 characters, but not over one unread.
TEST_F(ItemEditTest, KeysAloneThenClicksEditListsWrittenPerListButNotOverAnUnreadableOne) {
    writeList(kCategories, {u"食費外食"_s, u"交通費"_s, kFood, kFood});
    for (const char* list : {"備考\\食費", "支払先\\食費", "備考\\食費外食", "支払先\\食費外食",
                             "備考\\交通費", "支払先\\交通費"})
        writeList(u"\\"_s + QString::fromUtf8(list) + u".DAT"_s, {kLunch});
    for (int answer : {plat::IDYES, plat::IDYES, plat::IDNO})
        boxes.answerNext(answer);
    CItemEditDlg dlg(doc.get());
    const DialogAction keys = [&](Dialog& d) {
        PressOn(d, kList, Qt::Key_Down); // 交通費, chosen as by a click
        EXPECT_EQ(Text(d, kItem), u"交通費"_s);
        PressOn(d, kItem, Qt::Key_A, Qt::ControlModifier);
        TypeKeys(d, u"旅費"_s);
        PressOn(d, kChange, Qt::Key_Return);
        EXPECT_EQ(dlg.Entries(), (QStringList{u"食費外食"_s, u"旅費"_s, kFood, kFood}));
        PressOn(d, kList, Qt::Key_Down);     // the first 食費
        PressOn(d, kDelete, Qt::Key_Return); // Yes, but another 食費 remains
        EXPECT_TRUE(fileExists(inFolder(u"\\備考\\食費.DAT"_s)));
        EXPECT_EQ(Form(d), " ---");
        ClickListRow(d, kList, 2);
        Click(d, kDelete);
        ClickListRow(d, kList, 0);
        Click(d, kDelete);                      // No
        EXPECT_EQ(Items(d, kChoice).join(u' '), // a choice per entry: one of each went
                  u"分類 備考\\食費外食 備考\\交通費 備考\\食費 "
                  u"支払先\\食費外食 支払先\\交通費 支払先\\食費 支払方法"_s);
        d.close(); // by the window manager: a cancel that saves as well
    };
    EXPECT_EQ(RunModal(dlg, keys).result, IDCANCEL);
    for (const QString& folder : {u"\\備考"_s, u"\\支払先"_s})
        EXPECT_EQ(QDir(host(inFolder(folder))).entryList(QDir::Files),
                  (QStringList{u"交通費.DAT"_s, u"食費外食.DAT"_s}));
    const QString text35 = u"abcdefghijklmnopqrstuvwxyz012345678"_s, kHeat = u"光熱"_s;
    ASSERT_TRUE(QDir().mkpath(host(inFolder(u"\\支払先\\旅費.DAT"_s)))); // a folder: unreadable
    const DialogAction drive = [&](Dialog& d) {
        EXPECT_EQ(Form(d), " --D @旅費");
        ClickListRow(d, kList, 0);
        EXPECT_EQ(Form(d), "旅費 --D @旅費");
        TypeText(d, kItem, u"X"_s);
        EXPECT_EQ(Form(d), "旅費X ACD @旅費");
        ClearText(d, kItem);
        EXPECT_EQ(Form(d), " --D @旅費");
        TypeText(d, kItem, kHeat);
        Click(d, kChange);
        EXPECT_EQ(Form(d), " --- @光熱");
        TypeText(d, kItem, kHeat);
        Click(d, kAdd); // no duplicate check
        TypeText(d, kItem, text35);
        Click(d, kAdd);
        SelectText(d, kChoice, u"支払先\\旅費"_s); // unread: the view keeps the added entry chosen
        EXPECT_EQ(Form(d), " --- @" + text35.toStdString());
        SelectText(d, kChoice, u"備考\\旅費"_s); // no file: その他
        TypeText(d, kItem, kLunch);
        Click(d, kAdd);
        ClickListRow(d, kList, 0);
        Click(d, kDelete);
        EXPECT_EQ(Items(d, kChoice), // categories added now get their lists next time
                  (QStringList{u"分類"_s, u"備考\\旅費"_s, u"支払先\\旅費"_s, u"支払方法"_s}));
        Click(d, kClose);
    };
    PanelTasks tasks;
    CMyTALYView panel(*doc, tasks);
    EXPECT_EQ(RunActing([&] { Click(panel, 32792); }, {drive}), 0);
    const QString ask = u"関連づけられた備考と支払先のデータも削除しますか？"_s;
    EXPECT_EQ(boxes.texts(), (std::vector{ask, ask, ask, u"Error ! ID = 5"_s})); // others ask not
    EXPECT_EQ(std::pair(boxes.shown()[1].caption, boxes.shown()[1].flags),
              std::pair(u"削除"_s, 4u));
    EXPECT_EQ(readData(kCategories), ListFile({kHeat, kHeat, text35.left(31)}));
    EXPECT_EQ(readData(u"\\備考\\旅費.DAT"_s), ListFile({kLunch}));
}

} // namespace
