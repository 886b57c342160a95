// A dialog with one control of each kind and a message map that logs what
// reached it; the framework tests drive it.
#pragma once

#include "ui/framework/Dialog.h"

namespace fwtest {

// Name and payee (an editable combo): at most 15 characters; count: 0..100;
// number: any integer; months: a drop-down list; folders: a sorted list box.
constexpr int ID_NAME = 11, ID_COUNT = 12, ID_ENABLED = 13, ID_NUMBER = 14, ID_DAY = 20;
constexpr int ID_WEEK = 21, ID_MONTH = 22, ID_MONTHS = 30, ID_PAYEE = 31, ID_CALENDAR = 41;
constexpr int ID_LIST = 50, ID_NOTE = 70, ID_FOLDERS = 80, ID_RUN = 60, ID_RANGE_A = 61;
constexpr int ID_RANGE_B = 62, ID_MONTH_BUTTON = 32812;      // tool bar; has an update handler
constexpr int ID_PERIOD_DAY = 32871, ID_PERIOD_YEAR = 32874; // menu items

using K = tb::res::ControlKind;
namespace res = tb::res;
inline constexpr const char16_t* kMonths[] = {u"1月", u"2月", u"3月"};
inline constexpr const char16_t* kFolders[] = {u"備考", u"支払先", u"CSV"};
inline constexpr res::InitList kInitLists[] = {{ID_MONTHS, kMonths}, {ID_FOLDERS, kFolders}};

inline constexpr res::ControlTemplate kControls[] = {
    {ID_NAME, K::Edit, u"", {48, 4, 120, 18}},
    {ID_COUNT, K::Edit, u"", {172, 4, 64, 18}, res::AlignRight},
    {ID_ENABLED, K::CheckBox, u"有効", {4, 26, 60, 16}},
    {ID_NUMBER, K::Edit, u"", {68, 26, 80, 18}},
    {ID_DAY, K::RadioButton, u"日", {8, 52, 60, 16}, res::Group},
    {ID_WEEK, K::RadioButton, u"週", {72, 52, 60, 16}},
    {ID_MONTH, K::RadioButton, u"月", {136, 52, 60, 16}},
    {ID_MONTHS, K::ComboList, u"", {4, 76, 100, 20}},
    {ID_PAYEE, K::ComboBox, u"", {108, 76, 128, 20}},
    {ID_CALENDAR, K::MonthCalendar, u"", {4, 124, 232, 60}},
    {ID_LIST, K::ListView, u"", {4, 188, 232, 60}, res::FullRowSelect | res::SingleSelection},
    {ID_RUN, K::Button, u"実行", {4, 252, 50, 20}},
    {ID_RANGE_A, K::Button, u"Ａ", {58, 252, 30, 20}},
    {ID_RANGE_B, K::Button, u"Ｂ", {92, 252, 30, 20}},
    {ID_FOLDERS, K::ListBox, u"", {170, 252, 66, 20}, res::Sorted},
    {ID_NOTE, K::Static, u"メモ", {4, 276, 232, 14}},
    {1, K::DefaultButton, u"OK", {120, 294, 56, 22}},
    {2, K::Button, u"キャンセル", {180, 294, 56, 22}},
};

inline const res::DialogTemplate kTestTemplate{
    9001, u"試験", {0, 0, 240, 320}, kControls, kInitLists};

class TestDialog : public tb::ui::Dialog {
public:
    TestDialog() : Dialog(kTestTemplate) {
        using namespace tb::ui;
        setMessageMap({
            OnCommand(ID_RUN, &TestDialog::OnRun),
            OnCommandRange(ID_RANGE_A, ID_RANGE_B, &TestDialog::OnRange),
            OnCommandRange(ID_PERIOD_DAY, ID_PERIOD_YEAR, &TestDialog::OnPeriod),
            OnNotify(ID_MONTHS, Notify::SelChange, &TestDialog::OnMonthSelChange),
            OnNotify(ID_LIST, Notify::ItemClick, &TestDialog::OnListClick),
            OnUpdate(ID_MONTH_BUTTON, &TestDialog::OnUpdateMonthButton),
            KeyCommand(VK_1, ID_RUN),
            KeyCommand(VK_NUMPAD0 + 1, ID_RANGE_A),
            OnKey(VK_5, &TestDialog::OnKey5),
        });
    }

    QString m_name = QStringLiteral("食費"), m_payee;
    int m_count = 5, m_number = 0, m_period = 1, m_month = 0;
    bool m_enabled = false;
    plat::TimeValue m_calendar = 0;

    QString m_log;       // what reached the handlers, a word each
    int m_endInInit = 0; // non-zero: the result a run ends with during its initialisation

    using tb::ui::Window::setSizeRules; // the tests choose the rules

protected:
    void DoDataExchange(tb::ui::DataExchange& dx) override {
        dx.Text(ID_NAME, m_name, 15);
        dx.Int(ID_COUNT, m_count, 0, 100);
        dx.Int(ID_NUMBER, m_number);
        dx.Check(ID_ENABLED, m_enabled);
        dx.Radio(ID_DAY, m_period);
        dx.ComboIndex(ID_MONTHS, m_month);
        dx.ComboText(ID_PAYEE, m_payee, 15);
        dx.Date(ID_CALENDAR, m_calendar);
    }
    bool OnInitDialog() override {
        m_log += QStringLiteral("init ");
        Dialog::OnInitDialog();
        if (m_endInInit) EndDialog(m_endInInit);
        return true;
    }

private:
    void OnRun() { m_log += QStringLiteral("run "); }
    void OnRange(int id) { m_log += QStringLiteral("range%1 ").arg(id); }
    void OnKey5() { m_log += QStringLiteral("key5 "); }
    void OnMonthSelChange() { m_log += QStringLiteral("sel "); }
    void OnListClick(tb::ui::NotifyInfo& info) {
        m_log += QStringLiteral("tap%1,%2 ").arg(info.row).arg(info.column);
    }
    void OnPeriod(int id) { m_period = id - ID_PERIOD_DAY; }
    void OnUpdateMonthButton(tb::ui::CmdUI& ui) { ui.SetCheck(m_period == 2); }
};

} // namespace fwtest
