// The resource tables: controls inside their dialog, every text shown whole at
// the handset's size in its font (texts a dialog shows only in some mode are
// checked by its own tests), menus for the two soft keys, tool-bar images
// inside their strip, and the images draw.
#include "res/Resources.h"
#include "support/DeviceTest.h"
#include "ui/framework/Framework.h"
#include "ui/framework/Window.h"
#include "ui/framework/testing/Harness.h"

#include <QImage>
#include <QPixmap>
#include <QSvgRenderer>

using namespace tb::res;

namespace {

void CollectCommands(std::span<const MenuItem> items, std::vector<int>& out) {
    for (const MenuItem& item : items) {
        if (item.isPopup())
            CollectCommands(item.popup, out);
        else if (!item.separator)
            out.push_back(item.command);
    }
}

class ResourcesTest : public DeviceTest {};

TEST_F(ResourcesTest, EveryDialogsControlsLieInsideItAndShowTheirTextsWhole) {
    for (const DialogTemplate* d : AllDialogs()) {
        for (const ControlTemplate& c : d->controls) {
            const QRect rect(c.rect.x, c.rect.y, c.rect.w, c.rect.h);
            EXPECT_TRUE(QRect(0, 0, d->size.w, d->size.h).contains(rect)) << d->id << "/" << c.id;
        }
        tb::ui::Window window(*d);
        window.resize(tb::ui::Lp(tb::ui::kHandsetWidth), tb::ui::Lp(tb::ui::kHandsetHeight));
        window.show();
        EXPECT_EQ(tb::ui::testing::ClippedTexts(window).join(u" | ").toStdString(), "") << d->id;
    }
}

TEST_F(ResourcesTest, MenusToolBarsAndImages) {
    for (const MenuTemplate* m : AllMenus()) {
        EXPECT_EQ(m->items.size(), 2u) << "menu " << m->id;
        std::vector<int> commands;
        CollectCommands(m->items, commands);
        for (int command : commands)
            EXPECT_GT(command, 0) << "menu " << m->id;
    }
    QSvgRenderer strip(ImagePath(IDB_TOOLBAR));
    ASSERT_TRUE(strip.isValid());
    for (const ToolBarTemplate* bar : AllToolBars()) {
        const int cells = strip.defaultSize().width() / bar->imageSize;
        for (const ToolButton& b : bar->buttons) {
            if (b.command == 0) continue;
            EXPECT_GE(b.image, 0) << bar->id << "/" << b.command;
            EXPECT_LT(b.image, cells) << bar->id << "/" << b.command;
        }
    }
    for (int id : {IDR_MAINFRAME, IDB_BACK, IDB_BACK_DISABLED, IDB_BACK_PRESSED, IDB_TOOLBAR}) {
        const QImage alpha =
            tb::ui::ResourcePixmap(id, 16, 16).toImage().convertToFormat(QImage::Format_Alpha8);
        const uchar* bits = alpha.constBits();
        EXPECT_TRUE(std::any_of(bits, bits + alpha.sizeInBytes(), [](uchar a) { return a != 0; }))
            << "image " << id << " is empty";
    }
    EXPECT_TRUE(ImagePath(144).isEmpty());
}

} // namespace
