// Every text of every dialog template is shown whole at the handset's size,
// in the handset's font: the templates of dialogs added later are held to it
// too. Texts a dialog shows only in some mode are checked by its own tests.
#include "res/Resources.h"
#include "support/DeviceTest.h"
#include "ui/framework/Framework.h"
#include "ui/framework/Window.h"
#include "ui/framework/testing/Harness.h"

using namespace tb::ui;
using namespace tb::ui::testing;

class TemplateFitTest : public DeviceTest {};

TEST_F(TemplateFitTest, EveryTextFitsItsControl) {
    for (const tb::res::DialogTemplate* tmpl : tb::res::AllDialogs()) {
        Window window(*tmpl);
        window.resize(Lp(kHandsetWidth), Lp(kHandsetHeight));
        window.show();
        const QStringList clipped = ClippedTexts(window);
        EXPECT_TRUE(clipped.isEmpty())
            << "template " << tmpl->id << ": " << clipped.join(u" | ").toStdString();
    }
}
