// Windows built from templates, their soft-key and command bars, the frame;
// the resource tables.
#include "TestDialog.h"
#include "platform/System.h"
#include "res/Resources.h"
#include "support/DeviceTest.h"
#include "ui/framework/Bars.h"
#include "ui/framework/FrameWindow.h"
#include "ui/framework/Framework.h"
#include "ui/framework/testing/Harness.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QTest>
#include <QTreeWidget>

using namespace tb::res;
using namespace tb::ui;
using namespace tb::ui::testing;
using namespace fwtest;

// Items that are neither a pop-up nor a separator, yet send no command.
static int CommandlessItems(std::span<const MenuItem> items) {
    int n = 0;
    for (const MenuItem& item : items)
        n += item.isPopup() ? CommandlessItems(item.popup) : !item.separator && item.command <= 0;
    return n;
}

class WindowTest : public DeviceTest {};

// Pictures, a sorted list, list taps, size rules; a form without rules scrolls.
TEST_F(WindowTest, TemplatesShowPicturesReportTapsFollowSizeRulesAndDriveTheirBars) {
    Window version(100);
    EXPECT_TRUE(std::ranges::any_of(version.findChildren<QLabel*>(), [](QLabel* l) {
        return !l->pixmap().isNull() && l->pixmap().width() == Lp(32);
    })) << "the program icon";
    TestDialog dlg;
    dlg.SetButtonImage(ID_RUN, IDB_BACK);
    EXPECT_FALSE(dlg.item<QPushButton>(ID_RUN)->icon().isNull());
    EXPECT_EQ(Items(dlg, ID_FOLDERS), QStringList({"CSV", "備考", "支払先"})); // sorted
    dlg.m_month = 2; // a user's choice notifies (the folder select's levels show it); loading not
    dlg.UpdateData(false);
    // List taps report row and column; a miss reports no row.
    auto* list = dlg.item<QTreeWidget>(ID_LIST);
    list->setColumnCount(2);
    list->addTopLevelItems(
        {new QTreeWidgetItem({"食費", "100"}), new QTreeWidgetItem({"家賃", "50"})});
    ASSERT_TRUE(ShowActive(dlg));
    ClickListRow(dlg, ID_LIST, 1, 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      QPoint(5, list->viewport()->height() - 3));
    EXPECT_EQ(dlg.m_log, "tap1,1 tap-1,0 ");
    dlg.setSizeRules({{ID_LIST, AnchorAll},
                      {ID_RUN, AnchorRight | AnchorBottom},
                      {ID_NOTE, AnchorLeft | AnchorRight | AnchorBottom}});
    dlg.resize(Lp(340), Lp(300)); // wider and lower: each edge moves its own way
    dlg.show();
    QApplication::processEvents();
    const int dx = dlg.ClientSize().width() - 240, dy = dlg.ClientSize().height() - 320;
    ASSERT_TRUE(dx > 0 && dy < 0 && dy > -60) << dx << "," << dy;
    EXPECT_EQ(dlg.ControlRect(ID_LIST), QRect(4, 188, 232 + dx, 60 + dy));
    EXPECT_EQ(dlg.ControlRect(ID_RUN), QRect(4 + dx, 252 + dy, 50, 20));
    EXPECT_EQ(dlg.ControlRect(ID_NOTE), QRect(4, 276 + dy, 232 + dx, 14));
    EXPECT_EQ(dlg.ControlRect(ID_NAME), QRect(48, 4, 120, 18)) << "no rule: stays";
    dlg.resize(Lp(340), Lp(400)); // taller: the bottom edges move down
    QApplication::processEvents();
    const int up = dlg.ClientSize().height() - 320;
    ASSERT_GT(up, 0);
    EXPECT_EQ(dlg.ControlRect(ID_LIST), QRect(4, 188, 232 + dx, 60 + up));
    EXPECT_EQ(dlg.ControlRect(ID_RUN), QRect(4 + dx, 252 + up, 50, 20));
    Window panel(101);
    panel.resize(Lp(320), Lp(200)); // lower than the form
    panel.show();
    QApplication::processEvents();
    EXPECT_EQ(panel.ClientSize().height(), 264) << "the form keeps its design height";
    EXPECT_GT(panel.findChild<QScrollArea*>()->verticalScrollBar()->maximum(), 0);
    // The keys open the soft key's pop-up and choose; the command bar's check
    // marks follow state changed by keys or menus, not only by the bar.
    EXPECT_FALSE(dlg.CreateCommandBar(128));
    ASSERT_TRUE(dlg.CreateCommandBar(129) && dlg.CreateSoftKeyBar(156));
    for (QAction* a : dlg.commandBar()->actions())
        EXPECT_TRUE(a->isSeparator() || !a->icon().isNull()) << a->objectName().toStdString();
    ASSERT_TRUE(ShowActive(dlg));
    PressKeyInWindow(dlg, Qt::Key_F2);
    QMenu* menu = dlg.softKeyBar()->openPopup();
    ASSERT_TRUE(menu && menu->isVisible());
    const auto down = Qt::Key_Down; // down to "表示期間選択", into it, "日"
    PressKeys(dlg, {down, down, down, down, down, down, Qt::Key_Right, Qt::Key_Return});
    EXPECT_EQ(dlg.m_period, 0);
    EXPECT_FALSE(menu->isVisible());
    for (int period : {2, 0}) {
        dlg.m_period = period;
        QTest::qWait(400);
        EXPECT_EQ(dlg.commandBar()->action(ID_MONTH_BUTTON)->isChecked(), period == 2);
    }
    ASSERT_TRUE(dlg.CreateCommandBar(131));
    dlg.commandBar()->action(32930)->trigger(); // no handler: nothing happens, no crash
    // The keyboard key shows on a soft key where it fits.
    SoftKeyBar bar(*FindMenu(158), dlg, nullptr);
    bar.setFont(HandsetFont());
    bar.resize(Lp(240), Lp(24));
    bar.show();
    EXPECT_EQ(bar.key(0)->text() + bar.key(1)->text(), "戻る／ｷｬﾝｾﾙ (F1)次へ＞ (F2)");
    bar.resize(Lp(120), Lp(24));
    EXPECT_EQ(bar.key(0)->text() + bar.label(0), "戻る／ｷｬﾝｾﾙ戻る／ｷｬﾝｾﾙ");
    // The frame's bar lies below its view; a menu bar is a soft-key bar only
    // where the platform test passes.
    FrameWindow frame;
    auto* view = new Window(101);
    frame.SetView(view);
    ASSERT_TRUE(frame.CreateSoftKeyBar(152));
    ASSERT_TRUE(ShowActive(frame));
    EXPECT_EQ(frame.size(), QSize(Lp(240), Lp(320)));
    EXPECT_GE(frame.softKeyBar()->mapTo(&frame, QPoint(0, 0)).y(),
              view->mapTo(&frame, QPoint(0, view->height())).y());
    const std::tuple<int, const char*, bool> cases[] = {
        {5, "PocketPC", true},    {6, "PocketPC", true},  {4, "PocketPC", false},
        {5, "SmartPhone", false}, {5, "pocketpc", false}, {5, "PocketPC2", false}};
    for (const auto& [major, type, soft] : cases) {
        plat::SetPlatformIdentity(major, QString::fromLatin1(type));
        TestDialog other;
        const bool created = other.CreateMenuBarIfSupported(157);
        EXPECT_EQ(std::pair(created, other.softKeyBar() != nullptr), std::pair(soft, soft))
            << major << type;
    }
    // Resources: controls inside their dialog, texts shown whole at the handset's
    // size, menus for the two soft keys, tool-bar images, images draw.
    for (const DialogTemplate* d : AllDialogs()) {
        for (const ControlTemplate& c : d->controls) {
            const QRect rect(c.rect.x, c.rect.y, c.rect.w, c.rect.h);
            EXPECT_TRUE(QRect(0, 0, d->size.w, d->size.h).contains(rect)) << d->id << "/" << c.id;
        }
        Window window(*d);
        window.resize(Lp(kHandsetWidth), Lp(kHandsetHeight));
        window.show();
        EXPECT_EQ(ClippedTexts(window).join(u" | ").toStdString(), "") << d->id;
    }
    for (const MenuTemplate* m : AllMenus())
        EXPECT_EQ(std::pair(m->items.size(), CommandlessItems(m->items)), std::pair(size_t{2}, 0))
            << "menu " << m->id;
    const int stripWidth = QSvgRenderer(ImagePath(IDB_TOOLBAR)).defaultSize().width();
    for (const ToolBarTemplate* t : AllToolBars())
        for (const ToolButton& b : t->buttons) // command 0: a separator
            EXPECT_TRUE(b.command == 0 || (b.image >= 0 && b.image < stripWidth / t->imageSize))
                << t->id << "/" << b.command;
    for (int id : {IDR_MAINFRAME, IDB_BACK, IDB_BACK_DISABLED, IDB_BACK_PRESSED, IDB_TOOLBAR}) {
        const auto img =
            ResourcePixmap(id, 16, 16).toImage().convertToFormat(QImage::Format_Alpha8);
        const uchar* bits = img.constBits(); // the alpha channel
        EXPECT_TRUE(std::any_of(bits, bits + img.sizeInBytes(), [](uchar a) { return a != 0; }))
            << "image " << id << " is empty";
    }
    EXPECT_TRUE(ImagePath(144).isEmpty());
}
