// A dialog with one control of each kind and a message map that records what
// reached it; the framework tests drive it.
#pragma once

#include "ui/framework/Dialog.h"

#include <vector>

namespace fwtest {

// Name: text of at most 15 characters; count: integer 0..100; number: any
// integer; day, week, month: a radio group; months: a drop-down list with
// template items; payee: an editable combo of at most 15 characters; folders:
// a sorted list box.
constexpr int ID_NAME = 11, ID_COUNT = 12, ID_ENABLED = 13, ID_NUMBER = 14;
constexpr int ID_DAY = 20, ID_WEEK = 21, ID_MONTH = 22, ID_MONTHS = 30, ID_PAYEE = 31;
constexpr int ID_CALENDAR = 41, ID_LIST = 50, ID_NOTE = 70, ID_FOLDERS = 80;
constexpr int ID_RUN = 60, ID_RANGE_A = 61, ID_RANGE_B = 62;
constexpr int ID_MONTH_BUTTON = 32812; // tool-bar button with an update handler
constexpr int ID_PERIOD_DAY = 32871, ID_PERIOD_YEAR = 32874; // menu items

extern const tb::res::DialogTemplate kTestTemplate;

class TestDialog : public tb::ui::Dialog {
    Q_OBJECT
public:
    explicit TestDialog(QWidget* parent = nullptr);

    // Members exchanged with the controls.
    QString m_name = QStringLiteral("食費");
    int m_count = 5;
    int m_number = 0;
    bool m_enabled = false;
    int m_period = 1;
    int m_month = 0;
    QString m_payee;
    plat::TimeValue m_calendar = 0;

    // What reached the handlers.
    int m_runs = 0;
    std::vector<int> m_rangeIds;
    int m_key5 = 0;
    int m_monthSelChanges = 0;
    QString m_listClicks; // "row,column " per tap
    int m_initCalls = 0;
    int m_endInInit = 0; // non-zero: the result a run ends with during its initialisation

    using tb::ui::Window::setSizeRules; // the tests choose the rules

protected:
    void DoDataExchange(tb::ui::DataExchange& dx) override;
    bool OnInitDialog() override;

private:
    void OnRun() { ++m_runs; }
    void OnRange(int id) { m_rangeIds.push_back(id); }
    void OnKey5() { ++m_key5; }
    void OnMonthSelChange() { ++m_monthSelChanges; }
    void OnListClick(tb::ui::NotifyInfo& info) {
        m_listClicks += QStringLiteral("%1,%2 ").arg(info.row).arg(info.column);
    }
    void OnPeriod(int id) { m_period = id - ID_PERIOD_DAY; }
    void OnUpdateMonthButton(tb::ui::CmdUI& ui) { ui.SetCheck(m_period == 2); }
};

} // namespace fwtest
