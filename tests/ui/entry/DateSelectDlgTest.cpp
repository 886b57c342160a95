// The date-select dialog: calendar and picker follow each other, the soft keys
// are there on every platform, and OK hands back the bare day.
#include "support/DeviceTest.h"

#include "platform/System.h"
#include "ui/entry/CDateSelectDlg.h"
#include "ui/framework/Bars.h"
#include "ui/framework/testing/Harness.h"

#include <QCalendarWidget>
#include <QDateTimeEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <cstring>

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kCalendar = 1149;
constexpr int kPicker = 1150;

plat::SYSTEMTIME Given() {
    plat::SYSTEMTIME st{};
    st.wYear = 2008;
    st.wMonth = 3;
    st.wDay = 10;
    st.wDayOfWeek = 1;
    st.wHour = 13;
    st.wMinute = 45;
    st.wSecond = 30;
    st.wMilliseconds = 250;
    return st;
}

class DateSelectTest : public DeviceTest {
protected:
    int Run(std::function<void(CDateSelectDlg&)> drive) {
        CDateSelectDlg dlg;
        dlg.m_date = Given();
        leftOpen = 0;
        ModalDriver driver;
        driver.then([this, drive = std::move(drive)](Dialog& d) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
            drive(static_cast<CDateSelectDlg&>(d));
            // Left running: cancelled once its loop runs again, and counted.
            QTimer::singleShot(0, &d, [this, p = QPointer<Dialog>(&d)] {
                if (!p || !p->IsRunning()) return;
                ++leftOpen;
                p->EndDialog(IDCANCEL);
            });
        });
        const int result = dlg.DoModal();
        EXPECT_EQ(driver.unexpectedRuns(), 0);
        chosen = dlg.m_date;
        return result;
    }
    static QCalendarWidget* Calendar(Dialog& dlg) {
        return ControlAs<QCalendarWidget>(dlg, kCalendar);
    }
    static QDateTimeEdit* Picker(Dialog& dlg) { return ControlAs<QDateTimeEdit>(dlg, kPicker); }
    plat::SYSTEMTIME chosen{};
    int leftOpen = 0;
};

TEST_F(DateSelectTest, OpensOnTheGivenDay) {
    Run([](CDateSelectDlg& dlg) {
        EXPECT_EQ(Calendar(dlg)->selectedDate(), QDate(2008, 3, 10));
        EXPECT_EQ(Text(dlg, kPicker), u"2008年3月10日"_s);
        dlg.SendCommand(IDCANCEL);
    });
}

TEST_F(DateSelectTest, PickerAndCalendarFollowEachOther) {
    std::vector<QDate> seen;
    Run([&](CDateSelectDlg& dlg) {
        dlg.GotoDlgCtrl(kPicker);
        PressKeyInWindow(dlg, Qt::Key_Up); // the year section steps on
        seen.push_back(Calendar(dlg)->selectedDate());
        Picker(dlg)->setDate(QDate(2007, 12, 31));
        seen.push_back(Calendar(dlg)->selectedDate());
        Calendar(dlg)->setSelectedDate(QDate(2008, 2, 29));
        seen.push_back(Picker(dlg)->date());
        dlg.SendCommand(IDCANCEL);
    });
    EXPECT_EQ(seen,
              (std::vector<QDate>{QDate(2009, 3, 10), QDate(2007, 12, 31), QDate(2008, 2, 29)}));
}

TEST_F(DateSelectTest, OkHandsBackTheBareDay) {
    const int result = Run([](CDateSelectDlg& dlg) {
        Calendar(dlg)->setSelectedDate(QDate(2008, 4, 1));
        PressSoftKey(dlg, 1);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(chosen.wYear, 2008);
    EXPECT_EQ(chosen.wMonth, 4);
    EXPECT_EQ(chosen.wDay, 1);
    for (std::uint16_t field :
         {chosen.wDayOfWeek, chosen.wHour, chosen.wMinute, chosen.wSecond, chosen.wMilliseconds})
        EXPECT_EQ(field, 0);
}

TEST_F(DateSelectTest, OkWithoutChangeStillDropsTheTime) {
    Run([](CDateSelectDlg& dlg) { PressSoftKey(dlg, 1); });
    EXPECT_EQ(chosen.wDay, 10);
    EXPECT_EQ(chosen.wHour, 0);
    EXPECT_EQ(chosen.wMilliseconds, 0);
    EXPECT_EQ(chosen.wDayOfWeek, 0);
}

TEST_F(DateSelectTest, CancelAfterAChangeKeepsTheGivenDate) {
    const int result = Run([](CDateSelectDlg& dlg) {
        Picker(dlg)->setDate(QDate(2010, 1, 2));
        PressSoftKey(dlg, 0);
    });
    EXPECT_EQ(result, IDCANCEL);
    const plat::SYSTEMTIME given = Given();
    EXPECT_EQ(std::memcmp(&chosen, &given, sizeof given), 0);
}

TEST_F(DateSelectTest, SoftKeysOnEveryPlatformAndNoOwnButtons) {
    for (int major : {4, 5}) {
        plat::SetPlatformIdentity(major, major == 4 ? u"Smartphone"_s : u"PocketPC"_s);
        const int result = Run([](CDateSelectDlg& dlg) {
            ASSERT_NE(dlg.softKeyBar(), nullptr);
            EXPECT_EQ(dlg.softKeyBar()->menuId(), 168);
            EXPECT_FALSE(IsShown(dlg, IDOK));
            EXPECT_FALSE(IsShown(dlg, IDCANCEL));
            EXPECT_FALSE(IsEnabled(dlg, IDOK));
            PressKeyInWindow(dlg, Qt::Key_Return); // the hidden default button takes no Enter
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(leftOpen, 1);
    }
}

} // namespace
