// The key table before the focused control; modal runs: OK's validation,
// Enter, Escape, the window manager's close, an early end; property sheets.
#include "TestDialog.h"
#include "support/DeviceTest.h"
#include "ui/framework/Framework.h"
#include "ui/framework/PropertySheet.h"
#include "ui/framework/testing/Harness.h"

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace fwtest;

namespace {

class DialogTest : public DeviceTest {};

// One walk; each step puts the focus on a control (0: the key goes to the
// dialog itself). Keys in the table run before the field: 1 runs its command,
// 5 calls its handler, keypad 1 is another key; 2 and A are typed.
TEST_F(DialogTest, KeyTableTakesItsKeysBeforeTheFocusedControl) {
    const std::pair<int, QKeyCombination> steps[] = {
        {ID_NAME, Qt::Key_1}, {ID_NAME, Qt::Key_5},    {ID_NAME, Qt::KeypadModifier | Qt::Key_1},
        {ID_NAME, Qt::Key_2}, {ID_NAME, Qt::Key_A},    {ID_RANGE_B, Qt::Key_1},
        {0, Qt::Key_5},       {ID_RUN, Qt::Key_Return}}; // the focused button
    TestDialog dlg;
    ASSERT_TRUE(ShowActive(dlg));
    for (const auto& [focus, keys] : steps) {
        const auto [key, mods] = std::pair(keys.key(), keys.keyboardModifiers());
        if (focus) dlg.GotoDlgCtrl(focus);
        focus ? PressKeyInWindow(dlg, key, mods) : PressKey(dlg, key, mods);
    }
    // "2a" typed over "食費", which the focus selected.
    EXPECT_EQ(std::pair(dlg.m_log, Text(dlg, ID_NAME)),
              std::pair(u"run key5 range61 run key5 run "_qs, u"2a"_qs));
}

constexpr tb::res::ControlTemplate kEdit[] = {{1089, K::Edit, u"", {4, 4, 60, 18}}};
const tb::res::DialogTemplate kEditPage{9102, u"", {0, 0, 240, 200}, kEdit};

class DayPage : public PropertyPage {
public:
    DayPage() : PropertyPage(kEditPage, QStringLiteral("日")) {}
    int m_day = 1;

protected:
    void DoDataExchange(DataExchange& dx) override { dx.Int(1089, m_day, 1, 31); }
};

TEST_F(DialogTest, ModalRunsValidateOnOkTakeEnterEscapeAndCloseAndSheetsShowTheBadPage) {
    TestDialog dlg;
    ModalDriver driver;
    driver.then([&](Dialog& d) {
        d.SetDlgItemText(ID_COUNT, QStringLiteral("500"));
        Click(d, IDOK);
        EXPECT_TRUE(d.IsRunning());
        d.SetDlgItemText(ID_COUNT, QStringLiteral("50"));
        Click(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(std::pair(dlg.isVisible(), dlg.m_count), std::pair(false, 50));
    driver.then([](Dialog& d) { // the window manager's close saves no member
        d.SetDlgItemText(ID_COUNT, QStringLiteral("77"));
        d.close();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_count, 50);
    // Run ends with 3 when the key leaves it running (a disabled default button).
    const std::tuple<int, Qt::Key, bool, int> keys[] = {{ID_NAME, Qt::Key_Return, true, IDOK},
                                                        {ID_COUNT, Qt::Key_Enter, true, IDOK},
                                                        {ID_NAME, Qt::Key_Escape, true, IDCANCEL},
                                                        {ID_NAME, Qt::Key_Return, false, 3}};
    for (const auto& [focus, key, okEnabled, result] : keys) {
        driver.then([&](Dialog&) {
            dlg.EnableControl(IDOK, okEnabled);
            dlg.GotoDlgCtrl(focus);
            PressKeyInWindow(dlg, key);
            if (dlg.IsRunning()) dlg.EndDialog(3);
        });
        EXPECT_EQ(dlg.DoModal(), result) << key;
    }
    dlg.m_endInInit = 2; // ended during its initialisation: never runs its loop
    EXPECT_EQ(dlg.DoModal(), 2);
    EXPECT_EQ(dlg.m_log, "init init init init init init init "); // once a run, no command run
    // A sheet validates every page shown and brings the bad one to the front;
    // the first page's exchange is left to the options sheet's tests.
    PropertyPage one(kEditPage, QStringLiteral("頁"));
    DayPage two;
    PropertySheet sheet(QStringLiteral("オプション設定"));
    sheet.AddPage(&one);
    sheet.AddPage(&two);
    driver.then([&](Dialog&) {
        sheet.SetActivePage(1);
        EXPECT_EQ(Text(two, 1089), "1");
        two.SetDlgItemText(1089, QStringLiteral("32"));
        sheet.SetActivePage(0);
        Click(sheet, IDOK);
        EXPECT_EQ(sheet.activeIndex(), 1);
        two.SetDlgItemText(1089, QStringLiteral("31"));
        Click(sheet, IDOK);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(boxes.texts(),
              std::vector<QString>({u"0 から 100 までの整数を入力してください。"_qs,
                                    u"1 から 31 までの整数を入力してください。"_qs}));
    EXPECT_EQ(two.m_day, 31);
    // Escape in a page's field reaches the sheet, which ends without saving.
    driver.then([&](Dialog&) {
        sheet.SetActivePage(1);
        two.SetDlgItemText(1089, QStringLiteral("7"));
        two.GotoDlgCtrl(1089);
        PressKey(*two.GetDlgItem(1089), Qt::Key_Escape);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(two.m_day, 31);
    EXPECT_EQ(driver.unexpectedRuns(), 0);
}

} // namespace
