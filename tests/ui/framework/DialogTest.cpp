// Keys, modal runs and property sheets; members to controls and back; the Qt
// message box behind the platform's boxes, and input-method hints.
#include "TestDialog.h"
#include "platform/System.h"
#include "support/DeviceTest.h"
#include "ui/framework/Framework.h"
#include "ui/framework/PropertySheet.h"
#include "ui/framework/testing/Harness.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace fwtest;

namespace {

class DialogTest : public DeviceTest {};

constexpr tb::res::ControlTemplate kEdit[] = {{1089, K::Edit, u"", {4, 4, 60, 18}}};
const tb::res::DialogTemplate kEditPage{9102, u"", {0, 0, 240, 200}, kEdit};

class DayPage : public PropertyPage {
public:
    DayPage() : PropertyPage(kEditPage, QStringLiteral("日")) {}
    int m_day = 1;

protected:
    void DoDataExchange(DataExchange& dx) override { dx.Int(1089, m_day, 1, 31); }
};

// One walk; each step puts the focus on a control (0: the key goes to the
// dialog itself). Keys in the table run before the field: 1 runs its command,
// 5 calls its handler, keypad 1 is another key; 2 and A are typed.
TEST_F(DialogTest, KeyTableFirstModalRunsValidateOnOkTakeEnterEscapeAndCloseSheetsShowTheBadPage) {
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
    EXPECT_EQ(Text(dlg, ID_NAME), "2a"); // typed over "食費", which the focus selected
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
    // Each modal run initialises once and runs no command.
    EXPECT_EQ(dlg.m_log, "run key5 range61 run key5 run init init init init init init init ");
    // A sheet validates every page shown and brings the bad one to the front;
    // the first page's exchange is left to the options sheet's tests.
    PropertyPage one(kEditPage, QStringLiteral("頁"));
    DayPage two;
    PropertySheet sheet(QStringLiteral("オプション設定"));
    sheet.AddPage(&one);
    sheet.AddPage(&two);
    driver.then([&](Dialog&) {
        sheet.SetActivePage(1);
        EXPECT_EQ(Text(two, 1089), "1"); // loaded when first shown
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

// The controls' states, in the members' order; the radio group's three buttons.
QString Shown(const TestDialog& d) {
    QStringList s{Text(d, ID_NAME), Text(d, ID_COUNT), Text(d, ID_NUMBER)};
    for (int id : {ID_ENABLED, ID_DAY, ID_WEEK, ID_MONTH})
        s << (IsChecked(d, id) ? u"x"_qs : u"-"_qs);
    s << QString::number(CurrentIndex(d, ID_MONTHS)) << Text(d, ID_PAYEE)
      << d.item<QCalendarWidget>(ID_CALENDAR)->selectedDate().toString(Qt::ISODate);
    return s.join(u'|');
}

// The members, in the same order with the radio group as its index.
QString Members(const TestDialog& d) {
    const auto n = [](qint64 v) { return QString::number(v); };
    return u"%1|%2|%3|%4|%5|%6|%7|%8"_qs.arg(d.m_name, n(d.m_count), n(d.m_number),
                                             d.m_enabled ? u"x"_qs : u"-"_qs, n(d.m_period),
                                             n(d.m_month), d.m_payee, n(d.m_calendar));
}

// Texts, check boxes, radios and list indexes are also exchanged by the
// maintenance dialogs' tests. A radio group with none chosen exchanges -1.
TEST_F(DialogTest, ExchangeLoadsMembersReadsChangesBackAndRefusesInvalidValues) {
    TestDialog dlg;
    dlg.m_count = 42;
    dlg.m_number = -7;
    dlg.m_payee = u"コンビニ"_qs;
    dlg.m_calendar = kTestNow; // 2008-03-10 12:34:56
    ASSERT_TRUE(dlg.UpdateData(false));
    EXPECT_EQ(Shown(dlg), "食費|42|-7|-|-|x|-|0|コンビニ|2008-03-10");
    dlg.SetDlgItemText(ID_COUNT, u"80"_qs);
    ClearText(dlg, ID_PAYEE);
    TypeText(dlg, ID_PAYEE, u"駅"_qs);
    dlg.item<QCalendarWidget>(ID_CALENDAR)->setSelectedDate(QDate(2009, 1, 1));
    ASSERT_TRUE(dlg.UpdateData(true)); // the date changes, the time of day stays
    EXPECT_EQ(Members(dlg),
              u"食費|80|-7|-|1|0|駅|%1"_qs.arg(plat::TimeFromFields(2009, 1, 1, 12, 34, 56)));
    EXPECT_TRUE(boxes.shown().empty());
    dlg.m_period = -1;
    dlg.UpdateData(false);
    dlg.m_period = 1;
    ASSERT_TRUE(dlg.UpdateData(true));
    EXPECT_EQ(Shown(dlg), "食費|80|-7|-|-|-|-|0|駅|2009-01-01");
    EXPECT_EQ(dlg.m_period, -1);
    // Invalid values are refused at their field; typing stops at the limit.
    const QString count = u"0 から 100 までの整数を入力してください。"_qs;
    const QString number = u"整数を入力してください。"_qs;
    const std::tuple<int, QString, QString> cases[] = {
        {ID_COUNT, u"abc"_qs, count},    {ID_COUNT, u"101"_qs, count},
        {ID_COUNT, u"-1"_qs, count},     {ID_COUNT, u""_qs, count},
        {ID_NUMBER, u"1.5"_qs, number},  {ID_NUMBER, u"3000000000"_qs, number},
        {ID_NUMBER, u"１２"_qs, number}, // full-width digits
    };
    for (const auto& [id, typed, message] : cases) {
        boxes.clear();
        TestDialog bad;
        ASSERT_TRUE(ShowActive(bad));
        bad.UpdateData(false);
        bad.SetDlgItemText(id, typed);
        bad.m_enabled = true; // exchanged after both fields: the exchange stops before it
        EXPECT_FALSE(bad.UpdateData(true)) << typed.toStdString();
        EXPECT_EQ(boxes.texts(), std::vector{message}) << typed.toStdString();
        EXPECT_EQ(boxes.shown()[0].caption + QString::number(boxes.shown()[0].flags), "注意！48");
        EXPECT_EQ(bad.FocusedControlId(), id) << typed.toStdString();
        EXPECT_EQ(Members(bad), "食費|5|0|x|1|0||0") << typed.toStdString();
    }
    TestDialog fresh; // before the first load no limit is set, yet saving refuses
    fresh.SetDlgItemText(ID_NAME, u"0123456789ABCDEF"_qs);
    EXPECT_FALSE(fresh.UpdateData(true));
    EXPECT_EQ(boxes.texts().back(), "15 文字以内で入力してください。");
    EXPECT_EQ(fresh.m_name, "食費");
    // Typing stops at the limit, not splitting a character outside the BMP (two
    // units). Rows: start, cursor, typed, result.
    const QString clef = u"\U0001D11E"_qs, a13(13, u'あ'), a14 = a13 + u'あ';
    const std::tuple<QString, int, QString, QString> typing[] = {
        {a14, 14, clef, a14},
        {a13, 13, clef, a13 + clef},
        {a14 + u'い', 3, u"x"_qs, a14 + u'い'},
        {u"ab"_qs, 1, a14, u"a"_qs + a13 + u'b'}};
    for (int id : {ID_NAME, ID_PAYEE}) {
        for (const auto& [start, cursor, typed, result] : typing) {
            TestDialog one;
            one.m_name = one.m_payee = start;
            one.UpdateData(false);
            auto* edit = id == ID_NAME ? ControlAs<QLineEdit>(one, id)
                                       : ControlAs<QComboBox>(one, id)->lineEdit();
            edit->setCursorPosition(cursor);
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, typed); // an input method's text
            QApplication::sendEvent(edit, &press);
            EXPECT_EQ(edit->text(), result) << cursor << " in " << id;
            ASSERT_TRUE(one.UpdateData(true));
        }
    }
}

// Notes the next Qt box as "icon: buttons: caption: text" and clicks `answer`.
void AnswerNextBox(const QString& answer, QString& seen) {
    QTimer::singleShot(0, [answer, &seen] { // runs in the box's own event loop
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        QStringList buttons;
        for (QAbstractButton* b : box->buttons())
            buttons << b->text();
        seen = QStringLiteral("%1: %2: %3: %4")
                   .arg(box->icon())
                   .arg(buttons.join(u'/'), box->windowTitle(), box->text());
        box->buttons().at(buttons.indexOf(answer))->click();
    });
}

TEST_F(DialogTest, QtMessageBoxShowsTheFlagsButtonsAndIconAndAnswersImeStatusSetsInputHints) {
    using M = QMessageBox;
    const std::tuple<unsigned, M::Icon, QString, QString, int> cases[] = {
        {0x0, M::NoIcon, "OK", "OK", plat::IDOK},
        {0x10, M::Critical, "OK", "OK", plat::IDOK},
        {0x24, M::Question, "はい/いいえ", "はい", plat::IDYES},
        {0x34, M::Warning, "はい/いいえ", "いいえ", plat::IDNO},
        {0x40, M::Information, "OK", "OK", plat::IDOK},
        {0x31, M::Warning, "OK/キャンセル", "キャンセル", plat::IDCANCEL}};
    InstallMessageBoxHandler(); // in place of the recorder, which the fixture removes
    for (const auto& [flags, icon, buttons, click, answer] : cases) {
        QString seen;
        AnswerNextBox(click, seen);
        EXPECT_EQ(plat::MessageBox(u"本当に削除しますか？"_qs, u"データの整理"_qs, flags), answer);
        EXPECT_EQ(seen, u"%1: %2: データの整理: 本当に削除しますか？"_qs.arg(icon).arg(buttons));
    }
    // Hiragana 9, full-width katakana 11, alphanumeric 8, half-width (number mode) 0.
    const std::tuple<plat::DWORD, bool, bool> modes[] = {
        {9, false, false}, {11, false, false}, {8, true, false}, {0, true, true}};
    InstallImeHandlers();
    QLineEdit edit;
    for (const auto& [conversion, latin, numbers] : modes) {
        plat::DWORD readConversion = 99, sentence = 99;
        ASSERT_TRUE(plat::ImmSetConversionStatus(&edit, conversion, 4));
        ASSERT_TRUE(plat::ImmGetConversionStatus(&edit, &readConversion, &sentence));
        const auto hints = edit.inputMethodHints();
        EXPECT_EQ(std::tuple(readConversion, sentence, bool(hints & Qt::ImhPreferLatin),
                             bool(hints & Qt::ImhPreferNumbers)),
                  std::tuple(conversion, plat::DWORD{4}, latin, numbers));
    }
    plat::SetImeHandlers({});
}

} // namespace
