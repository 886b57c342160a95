// Members to controls and back, with the framework's validation.
#include "TestDialog.h"
#include "support/DeviceTest.h"
#include "ui/framework/testing/Harness.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace fwtest;

class DataExchangeTest : public DeviceTest {};

TEST_F(DataExchangeTest, LoadsMembersIntoControlsAndReadsTheUsersChangesBack) {
    TestDialog dlg;
    dlg.m_name = QStringLiteral("外食");
    dlg.m_count = 42;
    dlg.m_number = -7;
    dlg.m_enabled = true;
    dlg.m_period = 2;
    dlg.m_month = 1;
    dlg.m_payee = QStringLiteral("コンビニ");
    dlg.m_calendar = kTestNow; // 2008-03-10 12:34:56
    ASSERT_TRUE(dlg.UpdateData(false));
    EXPECT_EQ(Text(dlg, ID_NAME), "外食");
    EXPECT_EQ(Text(dlg, ID_COUNT), "42");
    EXPECT_EQ(Text(dlg, ID_NUMBER), "-7");
    EXPECT_TRUE(IsChecked(dlg, ID_ENABLED));
    EXPECT_TRUE(IsChecked(dlg, ID_MONTH));
    EXPECT_FALSE(IsChecked(dlg, ID_DAY));
    EXPECT_EQ(CurrentIndex(dlg, ID_MONTHS), 1);
    EXPECT_EQ(Text(dlg, ID_PAYEE), "コンビニ");
    auto* calendar = dlg.item<QCalendarWidget>(ID_CALENDAR);
    EXPECT_EQ(calendar->selectedDate(), QDate(2008, 3, 10));

    ClearText(dlg, ID_NAME);
    TypeText(dlg, ID_NAME, QStringLiteral("交通費"));
    ClearText(dlg, ID_COUNT);
    TypeText(dlg, ID_COUNT, QStringLiteral("80")); // digits 1 and 5 belong to the key table
    Click(dlg, ID_ENABLED);
    Click(dlg, ID_DAY);
    SelectIndex(dlg, ID_MONTHS, 2);
    ClearText(dlg, ID_PAYEE);
    TypeText(dlg, ID_PAYEE, QStringLiteral("駅"));
    calendar->setSelectedDate(QDate(2009, 1, 1)); // the date changes, the time of day stays
    ASSERT_TRUE(dlg.UpdateData(true));
    EXPECT_EQ(dlg.m_name, "交通費");
    EXPECT_EQ(dlg.m_count, 80);
    EXPECT_FALSE(dlg.m_enabled);
    EXPECT_EQ(dlg.m_period, 0);
    EXPECT_EQ(dlg.m_month, 2);
    EXPECT_EQ(dlg.m_payee, "駅");
    EXPECT_EQ(dlg.m_calendar, plat::TimeFromFields(2009, 1, 1, 12, 34, 56));
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(DataExchangeTest, RadioGroupWithNoneChosenLoadsAndSavesMinusOne) {
    TestDialog dlg;
    dlg.m_period = -1;
    dlg.UpdateData(false);
    for (int id : {ID_DAY, ID_WEEK, ID_MONTH})
        EXPECT_FALSE(IsChecked(dlg, id)) << id;
    dlg.m_period = 1;
    ASSERT_TRUE(dlg.UpdateData(true));
    EXPECT_EQ(dlg.m_period, -1);
}

TEST_F(DataExchangeTest, InvalidValuesAreRefusedWithTheirMessage) {
    struct Case {
        const char* name;
        int id;
        QString typed;
        QString message;
    };
    const Case cases[] = {
        {"count not a number", ID_COUNT, "abc", "0 から 100 までの整数を入力してください。"},
        {"count above the range", ID_COUNT, "101", "0 から 100 までの整数を入力してください。"},
        {"count below the range", ID_COUNT, "-1", "0 から 100 までの整数を入力してください。"},
        {"count empty", ID_COUNT, "", "0 から 100 までの整数を入力してください。"},
        {"number with a fraction", ID_NUMBER, "1.5", "整数を入力してください。"},
        {"number beyond 32 bits", ID_NUMBER, "3000000000", "整数を入力してください。"},
        {"number in full-width digits", ID_NUMBER, "１２", "整数を入力してください。"},
    };
    for (const Case& c : cases) {
        boxes.clear();
        TestDialog dlg;
        ASSERT_TRUE(ShowActive(dlg));
        dlg.UpdateData(false);
        dlg.SetDlgItemText(c.id, c.typed);
        dlg.m_enabled = true; // exchanged after both fields: must keep its value
        EXPECT_FALSE(dlg.UpdateData(true)) << c.name;
        ASSERT_EQ(boxes.shown().size(), 1u) << c.name;
        EXPECT_EQ(boxes.shown()[0].text, c.message) << c.name;
        EXPECT_EQ(boxes.shown()[0].caption, "注意！") << c.name;
        EXPECT_EQ(boxes.shown()[0].flags, 0x30u) << c.name;
        EXPECT_EQ(dlg.FocusedControlId(), c.id) << c.name;
        EXPECT_TRUE(dlg.m_enabled) << c.name << ": the exchange stops at the bad field";
        EXPECT_EQ(dlg.m_count, 5) << c.name;
    }
}

TEST_F(DataExchangeTest, TextLimitStopsTypingAndRefusesLongerTexts) {
    TestDialog loaded;
    loaded.UpdateData(false);
    ClearText(loaded, ID_NAME);
    TypeText(loaded, ID_NAME, QStringLiteral("あいうえおかきくけこさしすせそたちつ"));
    EXPECT_EQ(Text(loaded, ID_NAME).size(), 15);
    TypeText(loaded, ID_PAYEE, QStringLiteral("ABCDEFGHIJKLMNOPQ"));
    EXPECT_EQ(Text(loaded, ID_PAYEE), "ABCDEFGHIJKLMNO");

    // Before the first load no limit is set; saving still refuses the text.
    TestDialog fresh;
    fresh.SetDlgItemText(ID_NAME, QStringLiteral("0123456789ABCDEF"));
    EXPECT_FALSE(fresh.UpdateData(true));
    EXPECT_EQ(boxes.texts(), std::vector<QString>({"15 文字以内で入力してください。"}));
    EXPECT_EQ(fresh.m_name, "食費");
}

// A character outside the BMP is two UTF-16 units; a 16-unit field holds 15.
TEST_F(DataExchangeTest, TypingStopsAtFifteenUnitsWithoutSplittingACharacter) {
    const QString clef = QStringLiteral(u"\U0001D11E");
    const QString a14(14, u'あ');
    struct Case {
        const char* name;
        QString start;
        int cursor;
        QString typed;
        QString result;
    };
    const Case cases[] = {
        {"a pair that would end at unit 16 is refused", a14, 14, clef, a14},
        {"a pair that ends at unit 15 is taken", a14.left(13), 13, clef, a14.left(13) + clef},
        {"a full field takes nothing in the middle", a14 + u'い', 3, QStringLiteral("x"),
         a14 + u'い'},
        {"a long insertion is cut at the limit", QStringLiteral("ab"), 1, a14,
         QStringLiteral("a") + a14.left(13) + u'b'},
    };
    for (int id : {ID_NAME, ID_PAYEE}) {
        for (const Case& c : cases) {
            TestDialog dlg;
            dlg.m_name = dlg.m_payee = c.start;
            dlg.UpdateData(false);
            ASSERT_TRUE(ShowActive(dlg));
            QWidget* w = Control(dlg, id);
            if (auto* cb = qobject_cast<QComboBox*>(w)) w = cb->lineEdit();
            auto* edit = qobject_cast<QLineEdit*>(w);
            edit->setFocus();
            edit->setCursorPosition(c.cursor);
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, c.typed); // an input method's text
            QApplication::sendEvent(edit, &press);
            EXPECT_EQ(edit->text(), c.result) << c.name << " in " << id;
            ASSERT_TRUE(dlg.UpdateData(true)) << c.name;
        }
    }
}
