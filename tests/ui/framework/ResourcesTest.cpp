// The resource tables: controls inside their dialog, menus for the two soft
// keys, tool-bar images inside their strip, and the images draw.
#include "res/Resources.h"
#include "ui/framework/Framework.h"

#include <QImage>
#include <QPixmap>
#include <QSvgRenderer>
#include <gtest/gtest.h>

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

} // namespace

TEST(Resources, ControlsLieInsideTheirDialog) {
    for (const DialogTemplate* d : AllDialogs()) {
        for (const ControlTemplate& c : d->controls) {
            EXPECT_GE(c.rect.x, 0) << d->id << "/" << c.id;
            EXPECT_LE(c.rect.x + c.rect.w, d->size.w) << d->id << "/" << c.id;
            EXPECT_LE(c.rect.y + c.rect.h, d->size.h) << d->id << "/" << c.id;
        }
    }
}

TEST(Resources, MenusHaveTwoKeysAndNoEmptyCommands) {
    for (const MenuTemplate* m : AllMenus()) {
        EXPECT_EQ(m->items.size(), 2u) << "menu " << m->id;
        std::vector<int> commands;
        CollectCommands(m->items, commands);
        for (int command : commands)
            EXPECT_GT(command, 0) << "menu " << m->id;
    }
}

TEST(Resources, ToolBarImagesLieInsideTheStrip) {
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
}

TEST(Resources, ImagesDrawSomething) {
    for (int id : {IDR_MAINFRAME, IDB_BACK, IDB_BACK_DISABLED, IDB_BACK_PRESSED, IDB_TOOLBAR}) {
        const QImage image = tb::ui::ResourcePixmap(id, 16, 16).toImage();
        ASSERT_FALSE(image.isNull()) << id;
        bool painted = false;
        for (int y = 0; y < image.height() && !painted; ++y)
            for (int x = 0; x < image.width() && !painted; ++x)
                painted = qAlpha(image.pixel(x, y)) != 0;
        EXPECT_TRUE(painted) << "image " << id << " is empty";
    }
    EXPECT_TRUE(ImagePath(144).isEmpty());
}
