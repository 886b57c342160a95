// The date-select dialog: calendar and picker follow each other, the soft keys
// are there on every platform, and OK hands back the bare day.
#include "support/DeviceTest.h"
#include "support/ModalRunner.h"

#include "platform/System.h"
#include "ui/entry/CDateSelectDlg.h"
#include "ui/framework/Bars.h"
#include "ui/framework/testing/Harness.h"

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <cstring>

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kCalendar = 1149;
constexpr int kPicker = 1150;

// Monday 2008-03-10 13:45:30.250
constexpr plat::SYSTEMTIME kGiven{2008, 3, 1, 10, 13, 45, 30, 250};

class DateSelectTest : public DeviceTest {
protected:
    ModalRun Run(DialogAction drive) {
        CDateSelectDlg dlg;
        dlg.m_date = kGiven;
        const ModalRun run = RunModal(dlg, std::move(drive));
        chosen = dlg.m_date;
        return run;
    }
    static QCalendarWidget* Calendar(Dialog& dlg) {
        return ControlAs<QCalendarWidget>(dlg, kCalendar);
    }
    static QDateTimeEdit* Picker(Dialog& dlg) { return ControlAs<QDateTimeEdit>(dlg, kPicker); }
    plat::SYSTEMTIME chosen{};
};

// Cancelled after the changes, the given date stays as it was.
TEST_F(DateSelectTest, PickerAndCalendarFollowEachOtherAndOkHandsBackTheBareDay) {
    const ModalRun run = Run([&](Dialog& dlg) {
        EXPECT_EQ(Text(dlg, kPicker), u"2008年3月10日"_s);
        dlg.GotoDlgCtrl(kPicker);
        PressKeyInWindow(dlg, Qt::Key_Up); // the year section steps on
        EXPECT_EQ(Calendar(dlg)->selectedDate(), QDate(2009, 3, 10));
        Picker(dlg)->setDate(QDate(2007, 12, 31));
        EXPECT_EQ(Calendar(dlg)->selectedDate(), QDate(2007, 12, 31));
        Calendar(dlg)->setSelectedDate(QDate(2008, 2, 29));
        EXPECT_EQ(Picker(dlg)->date(), QDate(2008, 2, 29));
        PressSoftKey(dlg, 0);
    });
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_EQ(std::memcmp(&chosen, &kGiven, sizeof kGiven), 0);
    // With or without a change, OK drops the weekday and the time of day. The
    // soft keys are there on every platform, the dialog's own buttons are not,
    // and Enter on the hidden default button does nothing.
    const std::tuple<int, QDate, plat::SYSTEMTIME> rows[] = {
        {4, QDate(), {2008, 3, 0, 10, 0, 0, 0, 0}},
        {5, QDate(2008, 4, 1), {2008, 4, 0, 1, 0, 0, 0, 0}},
    };
    for (const auto& [major, day, bare] : rows) {
        plat::SetPlatformIdentity(major, major == 4 ? u"Smartphone"_s : u"PocketPC"_s);
        const ModalRun ok = Run([day](Dialog& dlg) {
            ASSERT_NE(dlg.softKeyBar(), nullptr);
            EXPECT_EQ(dlg.softKeyBar()->menuId(), 168);
            EXPECT_FALSE(IsShown(dlg, IDOK));
            EXPECT_FALSE(IsShown(dlg, IDCANCEL));
            EXPECT_FALSE(IsEnabled(dlg, IDOK));
            PressKeyInWindow(dlg, Qt::Key_Return);
            EXPECT_TRUE(dlg.IsRunning());
            if (day.isValid()) Calendar(dlg)->setSelectedDate(day);
            PressSoftKey(dlg, 1);
        });
        EXPECT_EQ(ok.result, IDOK);
        EXPECT_EQ(std::memcmp(&chosen, &bare, sizeof bare), 0)
            << chosen.wMonth << "/" << chosen.wDay;
    }
}

} // namespace
