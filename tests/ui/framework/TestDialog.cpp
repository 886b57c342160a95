#include "TestDialog.h"

using namespace tb::ui;
using namespace tb::res;

namespace fwtest {
namespace {

using K = ControlKind;

constexpr const char16_t* kMonths[] = {u"1月", u"2月", u"3月"};
constexpr const char16_t* kFolders[] = {u"備考", u"支払先", u"CSV"};
constexpr InitList kInitLists[] = {{ID_MONTHS, kMonths}, {ID_FOLDERS, kFolders}};

constexpr ControlTemplate kControls[] = {
    {ID_NAME, K::Edit, u"", {48, 4, 120, 18}},
    {ID_COUNT, K::Edit, u"", {172, 4, 64, 18}, AlignRight},
    {ID_ENABLED, K::CheckBox, u"有効", {4, 26, 60, 16}},
    {ID_NUMBER, K::Edit, u"", {68, 26, 80, 18}},
    {ID_DAY, K::RadioButton, u"日", {8, 52, 60, 16}, Group},
    {ID_WEEK, K::RadioButton, u"週", {72, 52, 60, 16}},
    {ID_MONTH, K::RadioButton, u"月", {136, 52, 60, 16}},
    {ID_MONTHS, K::ComboList, u"", {4, 76, 100, 20}},
    {ID_PAYEE, K::ComboBox, u"", {108, 76, 128, 20}},
    {ID_CALENDAR, K::MonthCalendar, u"", {4, 124, 232, 60}},
    {ID_LIST, K::ListView, u"", {4, 188, 232, 60}, FullRowSelect | SingleSelection},
    {ID_RUN, K::Button, u"実行", {4, 252, 50, 20}},
    {ID_RANGE_A, K::Button, u"Ａ", {58, 252, 30, 20}},
    {ID_RANGE_B, K::Button, u"Ｂ", {92, 252, 30, 20}},
    {ID_FOLDERS, K::ListBox, u"", {170, 252, 66, 20}, Sorted},
    {ID_NOTE, K::Static, u"メモ", {4, 276, 232, 14}},
    {1, K::DefaultButton, u"OK", {120, 294, 56, 22}},
    {2, K::Button, u"キャンセル", {180, 294, 56, 22}},
};

} // namespace

const DialogTemplate kTestTemplate{9001, u"試験", {0, 0, 240, 320}, kControls, kInitLists};

TestDialog::TestDialog(QWidget* parent) : Dialog(kTestTemplate, parent) {
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

void TestDialog::DoDataExchange(DataExchange& dx) {
    dx.Text(ID_NAME, m_name, 15);
    dx.Int(ID_COUNT, m_count, 0, 100);
    dx.Int(ID_NUMBER, m_number);
    dx.Check(ID_ENABLED, m_enabled);
    dx.Radio(ID_DAY, m_period);
    dx.ComboIndex(ID_MONTHS, m_month);
    dx.ComboText(ID_PAYEE, m_payee, 15);
    dx.Date(ID_CALENDAR, m_calendar);
}

bool TestDialog::OnInitDialog() {
    ++m_initCalls;
    Dialog::OnInitDialog();
    if (m_endInInit) EndDialog(m_endInInit);
    return true;
}

} // namespace fwtest
