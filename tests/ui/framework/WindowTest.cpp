// Windows built from templates: pictures from the resources, and the
// notifications a user's change sends but loading does not.
#include "TestDialog.h"
#include "res/Resources.h"
#include "support/DeviceTest.h"
#include "ui/framework/Framework.h"
#include "ui/framework/testing/Harness.h"

#include <QLabel>
#include <QPushButton>

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

TEST_F(WindowTest, UserSelectionNotifiesButLoadingDoesNot) {
    TestDialog dlg;
    dlg.m_month = 2;
    dlg.UpdateData(false);
    EXPECT_EQ(dlg.m_monthSelChanges, 0);
    SelectIndex(dlg, ID_MONTHS, 1);
    EXPECT_EQ(dlg.m_monthSelChanges, 1);
}
