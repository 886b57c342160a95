// The soft-key bar by platform identity, its pop-ups by keys and the keyboard
// keys shown on its buttons; the command bar; the frame's view and bar.
#include "ui/framework/Bars.h"
#include "TestDialog.h"
#include "platform/System.h"
#include "res/Resources.h"
#include "support/DeviceTest.h"
#include "ui/framework/FrameWindow.h"
#include "ui/framework/Framework.h"
#include "ui/framework/testing/Harness.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace fwtest;

class BarsTest : public DeviceTest {};

TEST_F(BarsTest, SoftKeyBarOnlyWhenThePlatformTestPasses) {
    struct Case {
        int major;
        const char* type;
        bool bar;
    };
    const Case cases[] = {
        {5, "PocketPC", true},   {6, "PocketPC", true},    {4, "PocketPC", false},
        {3, "PocketPC", false},  {5, "SmartPhone", false}, {5, "pocketpc", false},
        {5, "PocketPC2", false}, {5, "", false},
    };
    for (const Case& c : cases) {
        plat::SetPlatformIdentity(c.major, QString::fromLatin1(c.type));
        TestDialog dlg;
        EXPECT_EQ(dlg.CreateMenuBarIfSupported(157), c.bar) << c.major << " " << c.type;
        EXPECT_EQ(dlg.softKeyBar() != nullptr, c.bar) << c.major << " " << c.type;
    }
}

TEST_F(BarsTest, SoftKeyPopUpOpensByKeyAndTheArrowsAndEnterChoose) {
    TestDialog dlg;
    ASSERT_TRUE(dlg.CreateSoftKeyBar(156));
    ASSERT_TRUE(ShowActive(dlg));
    PressKeyInWindow(dlg, Qt::Key_F2);
    QMenu* menu = dlg.softKeyBar()->openPopup();
    ASSERT_TRUE(menu && menu->isVisible());
    for (int i = 0; i < 6; ++i) // down to "表示期間選択", into it, "日"
        PressKeyInWindow(dlg, Qt::Key_Down);
    PressKeyInWindow(dlg, Qt::Key_Right);
    PressKeyInWindow(dlg, Qt::Key_Return);
    EXPECT_EQ(dlg.m_period, 0);
    EXPECT_FALSE(menu->isVisible());
}

TEST_F(BarsTest, SoftKeysShowTheirKeyboardKeyWhereItFits) {
    TestDialog dlg;
    SoftKeyBar bar(*tb::res::FindMenu(158), dlg, nullptr);
    bar.setFont(HandsetFont());
    bar.resize(Lp(240), Lp(24));
    bar.show();
    EXPECT_EQ(bar.key(0)->text(), "戻る／ｷｬﾝｾﾙ (F1)");
    EXPECT_EQ(bar.key(1)->text(), "次へ＞ (F2)");
    bar.resize(Lp(120), Lp(24));
    EXPECT_EQ(bar.key(0)->text(), "戻る／ｷｬﾝｾﾙ");
    EXPECT_EQ(bar.label(0), "戻る／ｷｬﾝｾﾙ");
}

TEST_F(BarsTest, CommandBarShowsImagesAndFollowsStateChangedElsewhere) {
    TestDialog dlg;
    EXPECT_FALSE(dlg.CreateCommandBar(128));
    ASSERT_TRUE(dlg.CreateCommandBar(129));
    for (QAction* a : dlg.commandBar()->actions())
        EXPECT_TRUE(a->isSeparator() || !a->icon().isNull()) << a->objectName().toStdString();
    // Check marks follow state changed by keys or menus, not only by the bar.
    ASSERT_TRUE(ShowActive(dlg));
    dlg.m_period = 2;
    QTest::qWait(400);
    EXPECT_TRUE(dlg.commandBar()->action(ID_MONTH_BUTTON)->isChecked());
    dlg.m_period = 0;
    QTest::qWait(400);
    EXPECT_FALSE(dlg.commandBar()->action(ID_MONTH_BUTTON)->isChecked());

    ASSERT_TRUE(dlg.CreateCommandBar(131));
    dlg.commandBar()->action(32930)->trigger(); // no handler: nothing happens, no crash
}

TEST_F(BarsTest, FrameShowsItsViewAboveTheBarAtTheHandsetsSize) {
    FrameWindow frame;
    auto* view = new Window(101);
    frame.SetView(view);
    ASSERT_TRUE(frame.CreateSoftKeyBar(152));
    ASSERT_TRUE(ShowActive(frame));
    EXPECT_EQ(frame.size(), QSize(Lp(240), Lp(320)));
    EXPECT_GE(frame.softKeyBar()->mapTo(&frame, QPoint(0, 0)).y(),
              view->mapTo(&frame, QPoint(0, view->height())).y());
}
