// Soft-key bar by platform identity, its menus and update handlers; the
// command bar; the frame's bar and accelerators.
#include "ui/framework/Bars.h"
#include "res/Resources.h"
#include "TestDialog.h"
#include "platform/System.h"
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
        EXPECT_EQ(UsesSoftKeyBar(), c.bar) << c.major << " " << c.type;
        TestDialog dlg;
        EXPECT_EQ(dlg.CreateMenuBarIfSupported(157), c.bar) << c.major << " " << c.type;
        EXPECT_EQ(dlg.softKeyBar() != nullptr, c.bar) << c.major << " " << c.type;
        EXPECT_EQ(dlg.findChild<SoftKeyBar*>() != nullptr, c.bar);
    }
}

TEST_F(BarsTest, UpdateHandlersMarkItemsBeforeAPopupOpens) {
    TestDialog dlg;
    ASSERT_TRUE(dlg.CreateSoftKeyBar(156));
    dlg.m_period = 2;
    dlg.m_side = 1;
    const QStringList lines = MenuLines(*dlg.softKeyBar()->preparePopup(1));
    EXPECT_TRUE(lines.contains("  月=32873 [x]")) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains("  日=32871"));
    EXPECT_TRUE(lines.contains("  収入=32870 [x]"));
    EXPECT_TRUE(lines.contains("  支出=32869"));
    EXPECT_TRUE(lines.contains("時系列集計=32921"));

    // Items without an update handler stay enabled; a handler may disable one.
    EXPECT_EQ(MenuLines(*dlg.softKeyBar()->preparePopup(0)).first(), "新規追加=32831");
    dlg.m_enabled = false;
    CmdUI run(ID_RUN);
    dlg.UpdateCmdUI(run);
    EXPECT_TRUE(run.handled());
    EXPECT_FALSE(run.enabled());

    // Choosing an item sends its command; the next opening shows the new state.
    ChooseMenuItem(dlg, ID_PERIOD_DAY);
    EXPECT_EQ(dlg.m_period, 0);
    EXPECT_TRUE(MenuLines(*dlg.softKeyBar()->preparePopup(1)).contains("  日=32871 [x]"));
}

TEST_F(BarsTest, CommandKeysEndTheDialogWithTheirCodeTappedOrByF1AndF2) {
    struct Case {
        int menu;
        int key;
        Qt::Key keyboard; // 0: tapped
        int result;
    };
    const Case cases[] = {
        {157, 0, Qt::Key(0), IDCANCEL}, {157, 1, Qt::Key(0), IDOK}, {168, 1, Qt::Key(0), IDOK},
        {157, 0, Qt::Key_F1, IDCANCEL}, {157, 1, Qt::Key_F2, IDOK}, {168, 1, Qt::Key_F2, IDOK},
    };
    for (const Case& c : cases) {
        TestDialog dlg;
        dlg.CreateSoftKeyBar(c.menu);
        ModalDriver driver;
        driver.then([&](Dialog& d) {
            d.GotoDlgCtrl(ID_NAME); // a field with the focus does not keep the key
            if (c.keyboard)
                PressKeyInWindow(d, c.keyboard);
            else
                PressSoftKey(d, c.key);
        });
        EXPECT_EQ(dlg.DoModal(), c.result) << c.menu << "/" << c.key << "/" << c.keyboard;
        EXPECT_EQ(dlg.m_name, "食費");
    }
}

TEST_F(BarsTest, SoftKeyPopUpOpensByKeyAndTheArrowsAndEnterChoose) {
    TestDialog dlg;
    ASSERT_TRUE(dlg.CreateSoftKeyBar(156));
    ASSERT_TRUE(ShowActive(dlg));
    PressKeyInWindow(dlg, Qt::Key_F2);
    QMenu* menu = dlg.softKeyBar()->openPopup();
    ASSERT_TRUE(menu && menu->isVisible());
    EXPECT_EQ(menu->activeAction()->objectName(), "1031"); // the first item, ready for Enter
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

TEST_F(BarsTest, CommandBarShowsTheToolBarsButtonsInOrderWithCheckMarks) {
    TestDialog dlg;
    ASSERT_TRUE(dlg.CreateCommandBar(129));
    CommandBar* bar = dlg.commandBar();
    QStringList order;
    for (QAction* a : bar->actions()) {
        order << (a->isSeparator() ? QStringLiteral("|") : a->objectName());
        if (!a->isSeparator()) {
            EXPECT_FALSE(a->icon().isNull()) << a->objectName().toStdString();
        }
    }
    EXPECT_EQ(order, QStringList({"32817", "32818", "32812", "32837", "|", "32921", "|", "1031",
                                  "32830", "1033", "|", "32831", "1044"}));
    EXPECT_FALSE(dlg.CreateCommandBar(128));

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
    EXPECT_EQ(dlg.commandBar()->actions().size(), 5);
}

namespace {

class View : public Window {
public:
    View() : Window(101) {
        setMessageMap({OnCommand(32777, &View::OnDate), OnCommand(57603, &View::OnSave)});
    }
    int dates = 0;
    int saves = 0;

private:
    void OnDate() { ++dates; }
    void OnSave() { ++saves; }
};

} // namespace

TEST_F(BarsTest, FrameBarAndAcceleratorsReachTheView) {
    FrameWindow frame;
    auto* view = new View;
    frame.SetView(view);
    ASSERT_TRUE(frame.CreateSoftKeyBar(152));
    frame.AddAccelerator(QKeySequence(Qt::CTRL | Qt::Key_S), 57603);
    ASSERT_TRUE(ShowActive(frame));
    EXPECT_EQ(frame.size(), QSize(Lp(240), Lp(320)));

    frame.softKeyBar()->preparePopup(1)->findChild<QAction*>("32777")->trigger();
    EXPECT_EQ(view->dates, 1);
    QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(view->saves, 1);
    // The bar sits under the view.
    EXPECT_GE(frame.softKeyBar()->mapTo(&frame, QPoint(0, 0)).y(),
              view->mapTo(&frame, QPoint(0, view->height())).y());
}
