// Windows built from templates: IDs as object names, start states, routing
// of commands and notifications, resize rules, timers.
#include "TestDialog.h"
#include "res/Resources.h"
#include "support/DeviceTest.h"
#include "ui/framework/Framework.h"
#include "ui/framework/testing/Harness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace fwtest;

class WindowTest : public DeviceTest {};

TEST_F(WindowTest, PicturesAndButtonImagesShowTheirResource) {
    Window version(100);
    const auto pictures = version.findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(pictures.begin(), pictures.end(), [](QLabel* l) {
        return !l->pixmap().isNull() && l->pixmap().width() == Lp(32);
    })) << "the program icon";
    EXPECT_EQ(version.windowTitle(), "TALY のバージョン情報");
    TestDialog dlg;
    dlg.SetButtonImage(ID_RUN, tb::res::IDB_BACK);
    EXPECT_FALSE(dlg.item<QPushButton>(ID_RUN)->icon().isNull());
}

TEST_F(WindowTest, ControlKindsBecomeTheMatchingWidgets) {
    TestDialog dlg;
    EXPECT_NE(dlg.item<QLabel>(ID_NAME_LABEL), nullptr);
    EXPECT_NE(dlg.item<QLineEdit>(ID_NAME), nullptr);
    EXPECT_NE(dlg.item<QCheckBox>(ID_ENABLED), nullptr);
    EXPECT_NE(dlg.item<QTreeWidget>(ID_LIST), nullptr);
    ASSERT_NE(dlg.item<QComboBox>(ID_MONTHS), nullptr);
    EXPECT_FALSE(dlg.item<QComboBox>(ID_MONTHS)->isEditable());
    EXPECT_TRUE(dlg.item<QComboBox>(ID_PAYEE)->isEditable());
    EXPECT_EQ(Items(dlg, ID_MONTHS), QStringList({"1月", "2月", "3月"}));
    EXPECT_EQ(Items(dlg, ID_FOLDERS), QStringList({"CSV", "備考", "支払先"})) << "sorted";
    EXPECT_FALSE(dlg.IsControlEnabled(ID_RESULT));
    EXPECT_EQ(dlg.RadioGroup(ID_DAY), std::vector<int>({ID_DAY, ID_WEEK, ID_MONTH}));
}

TEST_F(WindowTest, ButtonsAndCommandsReachTheirHandlers) {
    TestDialog dlg;
    Click(dlg, ID_RUN);
    Click(dlg, ID_RANGE_B);
    Click(dlg, ID_RANGE_A);
    EXPECT_EQ(dlg.m_runs, 1);
    EXPECT_EQ(dlg.m_rangeIds, std::vector<int>({ID_RANGE_B, ID_RANGE_A}));
    EXPECT_TRUE(dlg.SendCommand(ID_PERIOD_YEAR));
    EXPECT_EQ(dlg.m_period, 3);
    EXPECT_FALSE(dlg.SendCommand(4711)) << "a command nobody handles is reported as such";
    Click(dlg, ID_RESULT); // disabled: a click cannot reach it
    EXPECT_TRUE(dlg.isHidden());
}

TEST_F(WindowTest, UserSelectionNotifiesButLoadingDoesNot) {
    TestDialog dlg;
    dlg.m_month = 2;
    dlg.UpdateData(false);
    EXPECT_EQ(dlg.m_monthSelChanges, 0);
    SelectIndex(dlg, ID_MONTHS, 1);
    EXPECT_EQ(dlg.m_monthSelChanges, 1);
}

TEST_F(WindowTest, FocusOnAControlIsNotified) {
    TestDialog dlg;
    ASSERT_TRUE(ShowActive(dlg));
    dlg.GotoDlgCtrl(ID_COUNT);
    const int before = dlg.m_nameFocus;
    dlg.GotoDlgCtrl(ID_NAME);
    EXPECT_EQ(dlg.m_nameFocus, before + 1);
    EXPECT_EQ(dlg.FocusedControlId(), ID_NAME);
}

TEST_F(WindowTest, ListTapsReportRowAndColumnAndMissesReportNoRow) {
    TestDialog dlg;
    auto* list = dlg.item<QTreeWidget>(ID_LIST);
    list->setColumnCount(2);
    for (int i = 0; i < 2; ++i)
        list->addTopLevelItem(new QTreeWidgetItem({QStringLiteral("食費%1").arg(i), "100"}));
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    ClickListRow(dlg, ID_LIST, 1, 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(5, list->viewport()->height() - 3));
    ASSERT_EQ(dlg.m_listClicks.size(), 2u);
    EXPECT_EQ(dlg.m_listClicks[0].row, 1);
    EXPECT_EQ(dlg.m_listClicks[0].column, 1);
    EXPECT_EQ(dlg.m_listClicks[1].row, -1);
}

TEST_F(WindowTest, SizeRulesFollowTheWindowInPortraitAndLandscape) {
    TestDialog dlg;
    dlg.setSizeRules({{ID_LIST, AnchorAll},
                      {ID_RUN, AnchorRight | AnchorBottom},
                      {ID_NOTE, AnchorLeft | AnchorRight | AnchorBottom}});
    struct Case {
        const char* name;
        QSize window; // logical
    };
    for (const Case& c : {Case{"wider and taller", {340, 370}}, Case{"landscape", {320, 240}}}) {
        dlg.resize(Lp(c.window.width()), Lp(c.window.height()));
        dlg.show();
        QApplication::processEvents();
        const QSize client = dlg.ClientSize();
        const int dx = client.width() - 240, dy = client.height() - 320;
        EXPECT_EQ(dlg.ControlRect(ID_LIST), QRect(4, 188, 232 + dx, std::max(0, 60 + dy)))
            << c.name << ": stretched, never below nothing";
        EXPECT_EQ(dlg.ControlRect(ID_RUN), QRect(4 + dx, 252 + dy, 50, 20)) << c.name;
        EXPECT_EQ(dlg.ControlRect(ID_NOTE), QRect(4, 276 + dy, 232 + dx, 14)) << c.name;
        EXPECT_EQ(dlg.ControlRect(ID_NAME), QRect(48, 4, 120, 18)) << c.name << ": no rule, stays";
    }
}

TEST_F(WindowTest, FormWithoutRulesScrollsInsteadOfShrinking) {
    Window panel(101);
    panel.resize(Lp(320), Lp(200)); // landscape, lower than the form
    panel.show();
    QApplication::processEvents();
    EXPECT_EQ(panel.ClientSize().height(), 264) << "the form keeps its design height";
    auto* scroll = panel.findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    EXPECT_GT(scroll->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(panel.ControlRect(32795), QRect(164, 236, 72, 24));
}

TEST_F(WindowTest, TimersFireUntilKilled) {
    TestDialog dlg;
    dlg.SetTimer(1, 10);
    for (int waited = 0; waited < 2000 && dlg.m_timerTicks.size() < 2; waited += 10)
        QTest::qWait(10);
    ASSERT_GE(dlg.m_timerTicks.size(), 2u);
    dlg.KillTimer(1);
    EXPECT_FALSE(dlg.IsTimerActive(1));
    const size_t ticks = dlg.m_timerTicks.size();
    QTest::qWait(40);
    EXPECT_EQ(dlg.m_timerTicks.size(), ticks);

    dlg.m_stopTimerOnTick = true; // the one-shot pattern: stopped by its own handler
    dlg.SetTimer(7, 10);
    QTest::qWait(80);
    EXPECT_EQ(dlg.m_timerTicks.back(), 7);
    EXPECT_EQ(std::count(dlg.m_timerTicks.begin(), dlg.m_timerTicks.end(), 7), 1);
}
