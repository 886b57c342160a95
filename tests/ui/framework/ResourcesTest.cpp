// The resource tables: controls inside their dialog, texts shown whole at the
// handset's size, menus for the two soft keys, tool-bar images, images draw.
#include "res/Resources.h"
#include "support/DeviceTest.h"
#include "ui/framework/Framework.h"
#include "ui/framework/testing/Harness.h"

#include <QSvgRenderer>

using namespace tb::res;

namespace {

// Items that are neither a pop-up nor a separator, yet send no command.
int CommandlessItems(std::span<const MenuItem> items) {
    int n = 0;
    for (const MenuItem& item : items)
        n += item.isPopup() ? CommandlessItems(item.popup) : !item.separator && item.command <= 0;
    return n;
}

class ResourcesTest : public DeviceTest {};

TEST_F(ResourcesTest, DialogsMenusToolBarsAndImagesAreWhole) {
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
    for (const MenuTemplate* m : AllMenus())
        EXPECT_EQ(std::pair(m->items.size(), CommandlessItems(m->items)), std::pair(size_t{2}, 0))
            << "menu " << m->id;
    const int stripWidth = QSvgRenderer(ImagePath(IDB_TOOLBAR)).defaultSize().width();
    for (const ToolBarTemplate* bar : AllToolBars())
        for (const ToolButton& b : bar->buttons) // command 0: a separator
            EXPECT_TRUE(b.command == 0 || (b.image >= 0 && b.image < stripWidth / bar->imageSize))
                << bar->id << "/" << b.command;
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
