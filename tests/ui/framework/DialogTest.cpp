// Key-downs are inspected before the controls: the key table takes its keys
// whichever control has the focus; other keys reach the control. Modal runs:
// validation on OK, Enter, Escape and the window manager's close,
// ending before the dialog shows, property sheets.
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

// Runs of the command, range A and key 5, and the name field's text.
QString Reached(const TestDialog& d) {
    return QStringLiteral("%1 %2 %3 %4")
        .arg(d.m_runs)
        .arg(d.m_rangeIds.size())
        .arg(d.m_key5)
        .arg(Text(d, ID_NAME));
}

TEST_F(DialogTest, KeyTableTakesItsKeysBeforeTheFocusedControl) {
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        QString reached;
    } cases[] = {
        {Qt::Key_1, Qt::NoModifier, "1 0 0 "},     // runs its command
        {Qt::Key_5, Qt::NoModifier, "0 0 1 "},     // calls its handler
        {Qt::Key_1, Qt::KeypadModifier, "0 1 0 "}, // another key
        {Qt::Key_2, Qt::NoModifier, "0 0 0 2"},    // not in the table
        {Qt::Key_A, Qt::NoModifier, "0 0 0 a"},
    };
    for (const auto& c : cases) {
        TestDialog dlg;
        dlg.m_name.clear();
        dlg.UpdateData(false);
        ASSERT_TRUE(ShowActive(dlg));
        dlg.GotoDlgCtrl(ID_NAME);
        PressKeyInWindow(dlg, c.key, c.mods);
        EXPECT_EQ(Reached(dlg), c.reached) << c.key;
    }
    // The focus on a button or nowhere; Enter presses a focused push button.
    TestDialog dlg;
    ASSERT_TRUE(ShowActive(dlg));
    dlg.GotoDlgCtrl(ID_RANGE_B);
    PressKeyInWindow(dlg, Qt::Key_1);
    PressKey(dlg, Qt::Key_5);
    dlg.GotoDlgCtrl(ID_RUN);
    PressKeyInWindow(dlg, Qt::Key_Return);
    EXPECT_EQ(Reached(dlg), "2 0 1 ");
}

class EndsAtOnce : public TestDialog {
protected:
    bool OnInitDialog() override {
        TestDialog::OnInitDialog();
        EndDialog(2);
        return true;
    }
};

TEST_F(DialogTest, OkValidatesFirstEnterPressesItAndEscapeOrCloseCancel) {
    TestDialog dlg;
    ModalDriver driver;
    int okWhileInvalid = -1;
    driver.then([&](Dialog& d) {
        d.SetDlgItemText(ID_COUNT, QStringLiteral("500"));
        Click(d, IDOK);
        okWhileInvalid = d.IsRunning() ? 1 : 0;
        d.SetDlgItemText(ID_COUNT, QStringLiteral("50"));
        Click(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(okWhileInvalid, 1);
    EXPECT_EQ(dlg.m_count, 50);
    EXPECT_EQ(boxes.texts(), std::vector<QString>({"0 から 100 までの整数を入力してください。"}));
    EXPECT_EQ(dlg.m_initCalls, 1);
    driver.then([](Dialog& d) { // the window manager's close saves no member
        d.SetDlgItemText(ID_COUNT, QStringLiteral("77"));
        d.close();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_count, 50);
    const struct {
        int focus;
        Qt::Key key;
        int result;
    } cases[] = {{ID_NAME, Qt::Key_Return, IDOK},
                 {ID_COUNT, Qt::Key_Enter, IDOK},
                 {ID_NAME, Qt::Key_Escape, IDCANCEL}};
    for (const auto& c : cases) {
        driver.then([&](Dialog&) {
            dlg.GotoDlgCtrl(c.focus);
            PressKeyInWindow(dlg, c.key);
        });
        EXPECT_EQ(dlg.DoModal(), c.result) << c.key;
    }
    EXPECT_EQ(dlg.m_runs, 0);
    bool running = false; // Enter on a disabled default button does nothing
    driver.then([&](Dialog&) {
        dlg.EnableControl(IDOK, false);
        dlg.GotoDlgCtrl(ID_NAME);
        PressKeyInWindow(dlg, Qt::Key_Return);
        running = dlg.IsRunning();
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(running);
    EndsAtOnce early; // ended during its initialisation: never runs its loop
    EXPECT_EQ(early.DoModal(), 2);
    EXPECT_EQ(driver.unexpectedRuns(), 0);
}

using K = tb::res::ControlKind;
constexpr tb::res::ControlTemplate kEdit[] = {{1089, K::Edit, u"", {4, 4, 60, 18}}};
const tb::res::DialogTemplate kEditPage{9102, u"", {0, 0, 240, 200}, kEdit};

// A page whose exchange the test gives.
class TestPage : public PropertyPage {
public:
    TestPage(const tb::res::DialogTemplate& tmpl, std::function<void(DataExchange&)> exchange)
        : PropertyPage(tmpl, QStringLiteral("頁")), m_exchange(std::move(exchange)) {}

protected:
    void DoDataExchange(DataExchange& dx) override { m_exchange(dx); }
    std::function<void(DataExchange&)> m_exchange;
};

// The first page's loading and saving are left to the options sheet's tests.
TEST_F(DialogTest, PropertySheetValidatesEveryShownPageAndShowsTheBadOne) {
    int day = 1;
    TestPage one(kEditPage, [](DataExchange&) {});
    TestPage two(kEditPage, [&](DataExchange& dx) { dx.Int(1089, day, 1, 31); });
    PropertySheet sheet(QStringLiteral("オプション設定"));
    sheet.AddPage(&one);
    sheet.AddPage(&two);
    ModalDriver driver;
    int tabAfterBadOk = -1;
    driver.then([&](Dialog&) {
        sheet.SetActivePage(1);
        EXPECT_EQ(Text(two, 1089), "1");
        two.SetDlgItemText(1089, QStringLiteral("32"));
        sheet.SetActivePage(0);
        Click(sheet, IDOK);
        tabAfterBadOk = sheet.activeIndex();
        two.SetDlgItemText(1089, QStringLiteral("31"));
        Click(sheet, IDOK);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(tabAfterBadOk, 1);
    EXPECT_EQ(boxes.texts(), std::vector<QString>({"1 から 31 までの整数を入力してください。"}));
    EXPECT_EQ(day, 31);
    // Escape in a page's field reaches the sheet, which ends without saving.
    driver.then([&](Dialog&) {
        sheet.SetActivePage(1);
        two.SetDlgItemText(1089, QStringLiteral("7"));
        two.GotoDlgCtrl(1089);
        PressKey(*two.GetDlgItem(1089), Qt::Key_Escape);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(day, 31);
}

} // namespace
