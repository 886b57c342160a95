// Windows built from templates: pictures from the resources, the
// notifications a user's change sends but loading does not, list taps,
// resize rules.
#include "TestDialog.h"
#include "res/Resources.h"
#include "support/DeviceTest.h"
#include "ui/framework/Framework.h"
#include "ui/framework/testing/Harness.h"

#include <QApplication>
#include <QLabel>
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
    TestDialog dlg;
    dlg.SetButtonImage(ID_RUN, tb::res::IDB_BACK);
    EXPECT_FALSE(dlg.item<QPushButton>(ID_RUN)->icon().isNull());
}

TEST_F(WindowTest, TemplateItemsFillTheirListsSortedWhereAsked) {
    TestDialog dlg;
    EXPECT_EQ(Items(dlg, ID_MONTHS), QStringList({"1月", "2月", "3月"}));
    EXPECT_EQ(Items(dlg, ID_FOLDERS), QStringList({"CSV", "備考", "支払先"}));
}

TEST_F(WindowTest, UserSelectionNotifiesButLoadingDoesNot) {
    TestDialog dlg;
    dlg.m_month = 2;
    dlg.UpdateData(false);
    EXPECT_EQ(dlg.m_monthSelChanges, 0);
    SelectIndex(dlg, ID_MONTHS, 1);
    EXPECT_EQ(dlg.m_monthSelChanges, 1);
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
}
