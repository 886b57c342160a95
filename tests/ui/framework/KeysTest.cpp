// Key-downs are inspected before the controls: the key table takes its keys
// whichever control has the focus; other keys reach the control.
#include "TestDialog.h"
#include "support/DeviceTest.h"
#include "ui/framework/Framework.h"
#include "ui/framework/testing/Harness.h"

#include <QTest>

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace fwtest;

class KeysTest : public DeviceTest {};

TEST_F(KeysTest, KeyTableTakesItsKeysBeforeTheFocusedField) {
    struct Case {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int runs, rangeA, key5;
        QString fieldText; // what the focused name field holds afterwards
    };
    const Case cases[] = {
        {"digit 1 runs its command", Qt::Key_1, Qt::NoModifier, 1, 0, 0, ""},
        {"digit 5 calls its handler", Qt::Key_5, Qt::NoModifier, 0, 0, 1, ""},
        {"keypad 1 is another key", Qt::Key_1, Qt::KeypadModifier, 0, 1, 0, ""},
        {"digit 2 is not in the table", Qt::Key_2, Qt::NoModifier, 0, 0, 0, "2"},
        {"letters reach the field", Qt::Key_A, Qt::NoModifier, 0, 0, 0, "a"},
    };
    for (const Case& c : cases) {
        TestDialog dlg;
        dlg.m_name.clear();
        dlg.UpdateData(false);
        ASSERT_TRUE(ShowActive(dlg));
        dlg.GotoDlgCtrl(ID_NAME);
        PressKeyInWindow(dlg, c.key, c.mods);
        EXPECT_EQ(dlg.m_runs, c.runs) << c.name;
        EXPECT_EQ(static_cast<int>(dlg.m_rangeIds.size()), c.rangeA) << c.name;
        EXPECT_EQ(dlg.m_key5, c.key5) << c.name;
        EXPECT_EQ(Text(dlg, ID_NAME), c.fieldText) << c.name;
    }
}

TEST_F(KeysTest, TableKeysWorkWithTheFocusOnAButtonOrNowhere) {
    TestDialog dlg;
    ASSERT_TRUE(ShowActive(dlg));
    dlg.GotoDlgCtrl(ID_RANGE_B);
    PressKeyInWindow(dlg, Qt::Key_1);
    PressKey(dlg, Qt::Key_5);
    EXPECT_EQ(dlg.m_runs, 1);
    EXPECT_EQ(dlg.m_key5, 1);
}

TEST_F(KeysTest, EnterPressesTheDefaultOrTheFocusedButtonAndEscapeCancels) {
    struct Case {
        const char* name;
        int focus;
        Qt::Key key;
        int result;
        int runs;
    };
    const Case cases[] = {
        {"Enter in a field: default button", ID_NAME, Qt::Key_Return, IDOK, 0},
        {"keypad Enter in a field", ID_COUNT, Qt::Key_Enter, IDOK, 0},
        {"Escape: cancel", ID_NAME, Qt::Key_Escape, IDCANCEL, 0},
    };
    for (const Case& c : cases) {
        TestDialog dlg;
        ModalDriver driver;
        driver.then([&](Dialog&) {
            dlg.GotoDlgCtrl(c.focus);
            PressKeyInWindow(dlg, c.key);
        });
        EXPECT_EQ(dlg.DoModal(), c.result) << c.name;
        EXPECT_EQ(dlg.m_runs, c.runs) << c.name;
    }
    // Enter on a disabled default button does nothing: the dialog runs on.
    {
        TestDialog dlg;
        ModalDriver driver;
        bool running = false;
        driver.then([&](Dialog&) {
            dlg.EnableControl(IDOK, false);
            dlg.GotoDlgCtrl(ID_NAME);
            PressKeyInWindow(dlg, Qt::Key_Return);
            running = dlg.IsRunning();
            dlg.EndDialog(IDCANCEL);
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_TRUE(running);
    }
    // Enter on a focused push button presses that button, not the default one.
    TestDialog dlg;
    ASSERT_TRUE(ShowActive(dlg));
    dlg.GotoDlgCtrl(ID_RUN);
    PressKeyInWindow(dlg, Qt::Key_Return);
    EXPECT_EQ(dlg.m_runs, 1);
}
