// Each entry dialog used with the keyboard alone, as on the handset's keypad with its soft keys.
#include "support/DocTest.h"
#include "support/ModalRunner.h"
#include "support/RegistryProbe.h"

#include "ledger/Lists.h"
#include "platform/System.h"
#include "ui/entry/CDateSelectDlg.h"
#include "ui/entry/RunNewEntryFlow.h"
#include "ui/framework/Bars.h"
#include "ui/framework/testing/Harness.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/CMyTALYView.h"
#include "ui/main/PanelTasks.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QTest>
#include <cstring>

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kCalendar = 1149, kPicker = 1150, kNext = 1, kCancel = 2, kFinish = 3, kBack = 4,
              kDate = 1057, kDateLabel = 1111, kTemplateBox = 1115;
constexpr plat::SYSTEMTIME kBare{2009, 3, 0, 19, 0, 0, 0, 0};

class KeysOnlyTest : public OpenDocTest {
protected:
    void SetUp() override {
        OpenDocTest::SetUp();
        plat::SetPlatformIdentity(5, u"PocketPC"_s); // the soft-key bars
        writeEntryLists();
    }
    // Replaces what the focused field holds by `text`.
    static void Retype(Dialog& d, const QString& text) {
        PressKeyInWindow(d, Qt::Key_A, Qt::ControlModifier);
        TypeKeys(d, text);
    }
    // The control the focus reaches after each of `count` Tabs (Shift+Tab when back).
    static std::vector<int> Tabbing(Dialog& d, int count, bool back = false) {
        std::vector<int> ids;
        for (int i = 0; i < count; ++i) {
            PressKeyInWindow(d, back ? Qt::Key_Backtab : Qt::Key_Tab);
            ids.push_back(d.FocusedControlId());
        }
        return ids;
    }
};

// Two entries from the panel's key 1, saved at exit. Back takes what a page started with. A typed
// category keeps the chosen one's remarks; the template box is off while every slot is used.
TEST_F(KeysOnlyTest, TwoNewEntriesFromThePanelWithBackIncomeAnotherDateAndATemplate) {
    for (int i = 0; i < kTemplateSlots; ++i)
        doc->AddTemplate(u"定番"_s, InOutRecord{});
    doc->m_bSaveOnChange = false;
    regprobe::MakeHandset();
    const QByteArray ledger = readData(datafile::kLedger);
    const QByteArray categories = readData(datafile::kCategories);
    PanelTasks tasks;
    CMainFrame frame(*doc, tasks);
    frame.show();
    QApplication::processEvents();
    const auto twoEntries = [&] { PressKeys(*frame.panel(), {Qt::Key_1, Qt::Key_1}); };
    RunActing(twoEntries,
              {[](Dialog& amount) {
                   PressKeys(amount, {Qt::Key_7, Qt::Key_Return});
               },
               [](Dialog& page) {
                   EXPECT_TRUE(page.IsTimerActive(1));
                   EXPECT_TRUE(QTest::qWaitFor([&] { return !page.IsTimerActive(1); }, 3000));
                   for (int id : {kBack, kNext, kFinish, kCancel, kDate, kDateLabel, kTemplateBox})
                       EXPECT_EQ(IsShown(page, id), id != kTemplateBox) << id;
                   EXPECT_EQ(Text(page, 1004) + Text(page, 1100) + page.softKeyBar()->label(1),
                             u"分類:備考:次へ＞"_s);
                   PressKeyInWindow(page, Qt::Key_F2);
               },
               [](Dialog& page) {
                   for (int id : {kNext, kDate, kDateLabel, kTemplateBox})
                       EXPECT_EQ(IsShown(page, id), id == kTemplateBox) << id;
                   EXPECT_FALSE(IsEnabled(page, kTemplateBox));
                   EXPECT_EQ(Text(page, 1004) + Text(page, 1100) + Text(page, kFinish) +
                                 page.softKeyBar()->label(1),
                             u"支払先:支払方法:完了(OK)完了"_s);
                   SelectIndex(page, 1099, 1); // カード, dropped by going back
                   ChooseMenuItem(static_cast<Window&>(page), kBack);
               },
               [](Dialog& page) { Click(page, kBack); },
               [](Dialog& amount) { PressKeyInWindow(amount, Qt::Key_Return); },
               [this](Dialog& page) {
                   doc->DeleteTemplate(kTemplateSlots - 1);
                   Click(page, kFinish);
               },
               [](Dialog& amount) {
                   PressKeys(amount, {Qt::Key_1, Qt::Key_2, Qt::Key_0, Qt::Key_0});
                   EXPECT_EQ(Tabbing(amount, 1, true), std::vector<int>{1131});
                   PressKeyInWindow(amount, Qt::Key_I, Qt::AltModifier);
                   QTest::qWait(300); // the check box's shortcut clicks after a short press
                   PressKeyInWindow(amount, Qt::Key_Return);
               },
               [](Dialog& page) {
                   EXPECT_EQ(page.FocusedControlId(), 1005);
                   EXPECT_EQ(Items(page, 1099), (QStringList{u"昼食"_s, u"夕食"_s}));
                   PressKeyInWindow(page, Qt::Key_Down); // 交通費: its remarks come in
                   Retype(page, u"娯楽"_s);
                   PressKeys(page, {Qt::Key_Tab, Qt::Key_Space}); // the category is not learned
                   EXPECT_EQ(Tabbing(page, 1), std::vector<int>{1099});
                   PressKeyInWindow(page, Qt::Key_Down);
                   EXPECT_EQ(Tabbing(page, 2), (std::vector<int>{1085, 1057}));
                   PressKeyInWindow(page, Qt::Key_Up); // the year, the date's first part
                   PressKeyInWindow(page, Qt::Key_F2);
               },
               [](Dialog& page) {
                   EXPECT_EQ(Tabbing(page, 2), (std::vector<int>{1084, 1099}));
                   PressKeyInWindow(page, Qt::Key_Down); // カード
                   EXPECT_EQ(Tabbing(page, 2), (std::vector<int>{1085, 1115}));
                   PressKeys(page, {Qt::Key_Space, Qt::Key_F2}); // the template box, 完了
               },
               [](Dialog& edit) {
                   Retype(edit, u"昼ごはん"_s);
                   EXPECT_EQ(Tabbing(edit, 3), (std::vector<int>{1049, 1050, 1055}));
                   Retype(edit, u"900"_s); // the template's own amount
                   PressKeyInWindow(edit, Qt::Key_F2);
               }});
    const InOutRecord stored = record(
        {2, u"娯楽"_s, u"昼食"_s, u"その他"_s, u"カード"_s, 2009, 3, 2, 10, -1200, 12, 34, 56});
    const InOutRecord& first = doc->Head()->record; // finished on the category page
    EXPECT_EQ(FieldText(first.payee) + FieldText(first.payMethod) + QString::number(first.amount),
              u"コンビニ現金7"_s);
    EXPECT_EQ(std::memcmp(&doc->Tail()->record, &stored, sizeof stored), 0);
    EXPECT_TRUE(doc->IsDirty());
    EXPECT_EQ(readData(datafile::kLedger), ledger);
    EXPECT_EQ(readData(datafile::kCategories), categories);
    EXPECT_EQ(readData(u"\\備考\\交通費.DAT"_s), bytes::ListFile({u"昼食"_s, u"電車"_s}));
    EXPECT_EQ(readData(datafile::kPayMethods), bytes::ListFile({u"カード"_s, u"現金"_s}));
    EXPECT_TRUE(boxes.texts().empty());
    EXPECT_EQ(FieldText(doc->Templates()[9].name), u"昼ごはん"_s);
    EXPECT_EQ(doc->Templates()[9].record.amount, -900); // still income
    EXPECT_EQ(FieldText(doc->Templates()[9].record.payee), u"その他"_s);
}

// The first line is moved down. The added template goes last and is selected, so that F1
// picks it. The entry takes the date handed over (a Tuesday); the template keeps its own.
TEST_F(KeysOnlyTest, TemplateMovedAddedAndAnEntryMadeFromIt) {
    doc->AddTemplate(u"家賃"_s, InOutRecord{});
    doc->AddTemplate(u"電気"_s, InOutRecord{});
    PanelTasks tasks;
    const plat::TimeValue april1 = plat::TimeFromFields(2008, 4, 1, 8, 15, 30);
    RunActing([&] { tasks.NewEntryFromTemplate(nullptr, *doc, april1); },
              {[](Dialog& list) {
                   PressKeys(list, {Qt::Key_F2, Qt::Key_Up, Qt::Key_Return}); // 編集 → 下へ移動
                   PressKeys(list, {Qt::Key_F2, Qt::Key_Down, Qt::Key_Return}); // 編集 → 追加
                   PressKeyInWindow(list, Qt::Key_F1);                          // 収支を追加
               },
               [](Dialog& edit) {
                   EXPECT_EQ(Text(edit, 1063) + Text(edit, 1118),
                             u"定番項目名を入力して、保存ボタンを押して下さい。新しい定番"_s);
                   Retype(edit, u"昼ごはん"_s); // the template name comes first
                   PressKeyInWindow(edit, Qt::Key_Tab);
                   Retype(edit, u"食費"_s);
                   EXPECT_EQ(Tabbing(edit, 1), std::vector<int>{1050}); // the remark
                   PressKeyInWindow(edit, Qt::Key_F2);                  // 保存
               },
               [](Dialog& edit) {
                   EXPECT_EQ(Text(edit, 1063), u"追加ボタンを押すと、データが追加されます。"_s);
                   // The amount, ready for digits; no calculator on one that is no number.
                   EXPECT_EQ(ControlAs<QLineEdit>(edit, 1055)->selectedText(), u"0"_s);
                   PressKeys(edit, {Qt::Key_X, Qt::Key_Tab, Qt::Key_Space});
                   // Back at the amount; the category's second visit stays.
                   EXPECT_EQ(Tabbing(edit, 8).back(), 1049); // round the date's three parts
                   EXPECT_EQ(Tabbing(edit, 2), (std::vector<int>{1050, 1055}));
                   PressKeys(edit, {Qt::Key_9, Qt::Key_0, Qt::Key_0, Qt::Key_F2}); // 追加
               }});
    EXPECT_EQ(FieldText(doc->Templates()[1].name) + FieldText(doc->Templates()[2].name),
              u"家賃昼ごはん"_s);
    const InOutRecord added =
        record({1, u"食費"_s, u"その他"_s, u"その他"_s, u"現金"_s, 2008, 3, 1, 10, 0, 12, 34, 56});
    EXPECT_EQ(std::memcmp(&doc->Templates()[2].record, &added, sizeof added), 0);
    EXPECT_EQ(readData(datafile::kLedger),
              bytes::Header(1) + bytes::Record({1, u"食費"_s, u"その他"_s, u"その他"_s, u"現金"_s,
                                                2008, 4, 2, 1, 900, 8, 15, 30}));
}

// The soft keys are there on every platform, the own buttons are not: Enter does nothing.
TEST_F(KeysOnlyTest, DateSelectByKeys) {
    constexpr plat::SYSTEMTIME kGiven{2008, 3, 1, 10, 13, 45, 30, 250}; // a Monday
    CDateSelectDlg cancelled;
    cancelled.m_date = kGiven;
    const auto cancel = [](Dialog& d) { PressKeys(d, {Qt::Key_Right, Qt::Key_F1}); };
    EXPECT_EQ(RunModal(cancelled, cancel).result, IDCANCEL);
    EXPECT_EQ(std::memcmp(&cancelled.m_date, &kGiven, sizeof kGiven), 0);
    plat::SetPlatformIdentity(4, u"Smartphone"_s);
    CDateSelectDlg dlg;
    dlg.m_date = kGiven;
    const auto choose = [](Dialog& d) {
        EXPECT_EQ(ClippedTexts(d).join(u" | ").toStdString(), ""); // the whole calendar
        EXPECT_FALSE(IsShown(d, IDOK) || IsShown(d, IDCANCEL) || IsEnabled(d, IDOK));
        PressKeys(d, {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Return});
        EXPECT_TRUE(d.IsRunning());
        EXPECT_EQ(Text(d, kPicker), u"2008年3月19日"_s);
        PressKeys(d, {Qt::Key_Tab, Qt::Key_Up}); // the picker's year
        EXPECT_EQ(ControlAs<QCalendarWidget>(d, kCalendar)->selectedDate(), QDate(2009, 3, 19));
        PressKeyInWindow(d, Qt::Key_F2);
    };
    EXPECT_EQ(RunModal(dlg, choose).result, IDOK);
    EXPECT_EQ(std::memcmp(&dlg.m_date, &kBare, sizeof kBare), 0);
}

} // namespace
