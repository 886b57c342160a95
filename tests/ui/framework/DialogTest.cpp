// Modal runs: validation on OK, the window manager's close, ending before
// the dialog shows, property sheets.
#include "TestDialog.h"
#include "support/DeviceTest.h"
#include "ui/framework/Framework.h"
#include "ui/framework/PropertySheet.h"
#include "ui/framework/testing/Harness.h"

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace fwtest;

class DialogTest : public DeviceTest {};

TEST_F(DialogTest, OkValidatesFirstAndStaysOpenOnABadValue) {
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
}

TEST_F(DialogTest, TheWindowManagersCloseCancelsWithoutSavingMembers) {
    TestDialog dlg;
    ModalDriver driver;
    driver.then([](Dialog& d) {
        d.SetDlgItemText(ID_COUNT, QStringLiteral("77"));
        d.close();
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.m_count, 5);
}

TEST_F(DialogTest, NestedModalRunsEachGetTheirOwnAction) {
    TestDialog outer;
    ModalDriver driver;
    int innerResult = 0;
    driver
        .then([&](Dialog& d) {
            TestDialog inner(&d);
            inner.m_resultToGive = 4;
            innerResult = inner.DoModal();
            d.EndDialog(3);
        })
        .then([](Dialog& d) {
            d.EnableControl(ID_RESULT, true);
            Click(d, ID_RESULT);
        });
    EXPECT_EQ(outer.DoModal(), 3);
    EXPECT_EQ(innerResult, 4);
}

class EndsAtOnce : public TestDialog {
protected:
    bool OnInitDialog() override {
        TestDialog::OnInitDialog();
        EndDialog(2);
        return true;
    }
};

TEST_F(DialogTest, EndingDuringInitialisationReturnsWithoutShowing) {
    EndsAtOnce dlg;
    ModalDriver driver; // no action queued: the dialog must never run its loop
    EXPECT_EQ(dlg.DoModal(), 2);
    EXPECT_EQ(driver.unexpectedRuns(), 0);
}

namespace {

constexpr tb::res::ControlTemplate kPageOne[] = {
    {1089, tb::res::ControlKind::CheckBox, u"金額にカンマをつける", {4, 4, 200, 16}},
};
constexpr tb::res::ControlTemplate kPageTwo[] = {
    {1089, tb::res::ControlKind::Edit, u"", {4, 4, 60, 18}},
};
const tb::res::DialogTemplate kPageOneTemplate{9101, u"", {0, 0, 240, 200}, kPageOne};
const tb::res::DialogTemplate kPageTwoTemplate{9102, u"", {0, 0, 240, 200}, kPageTwo};

class CheckPage : public PropertyPage {
public:
    CheckPage() : PropertyPage(kPageOneTemplate, QStringLiteral("表示")) {}
    bool m_comma = true;

protected:
    void DoDataExchange(DataExchange& dx) override { dx.Check(1089, m_comma); }
};

class DayPage : public PropertyPage {
public:
    DayPage() : PropertyPage(kPageTwoTemplate, QStringLiteral("期間")) {}
    int m_day = 1;

protected:
    void DoDataExchange(DataExchange& dx) override { dx.Int(1089, m_day, 1, 31); }
};

} // namespace

TEST_F(DialogTest, PropertySheetValidatesEveryShownPageAndShowsTheBadOne) {
    CheckPage one;
    DayPage two;
    PropertySheet sheet(QStringLiteral("オプション設定"));
    sheet.AddPage(&one);
    sheet.AddPage(&two);
    ModalDriver driver;
    int tabAfterBadOk = -1;
    driver.then([&](Dialog& d) {
        auto& s = static_cast<PropertySheet&>(d);
        EXPECT_TRUE(IsChecked(one, 1089)) << "the first page is loaded when the sheet opens";
        Click(one, 1089);
        s.SetActivePage(1);
        EXPECT_EQ(Text(two, 1089), "1");
        two.SetDlgItemText(1089, QStringLiteral("32"));
        s.SetActivePage(0);
        Click(s, IDOK);
        tabAfterBadOk = s.activeIndex();
        two.SetDlgItemText(1089, QStringLiteral("31"));
        Click(s, IDOK);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(tabAfterBadOk, 1);
    EXPECT_EQ(boxes.texts(), std::vector<QString>({"1 から 31 までの整数を入力してください。"}));
    EXPECT_FALSE(one.m_comma);
    EXPECT_EQ(two.m_day, 31);

    // Escape in a page's field reaches the sheet, which ends without saving.
    driver.then([&](Dialog& d) {
        static_cast<PropertySheet&>(d).SetActivePage(1);
        two.SetDlgItemText(1089, QStringLiteral("7"));
        two.GotoDlgCtrl(1089);
        PressKey(*two.GetDlgItem(1089), Qt::Key_Escape);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(two.m_day, 31);
}
