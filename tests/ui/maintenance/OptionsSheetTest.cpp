// The options sheet opened from the panel: every control's effect on the
// settings as the registry holds them after the program saves, the "..."
// button, and the whole sheet worked by keys alone.
#include "support/DocTest.h"
#include "support/RegistryProbe.h"

#include "ui/framework/PropertySheet.h"
#include "ui/framework/testing/Harness.h"
#include "ui/main/CMyTALYView.h"
#include "ui/main/PanelTasks.h"

#include <QApplication>
#include <QTest>

using namespace tb::ui;
using namespace tb::ui::testing;

namespace {

enum Page { kData, kFile, kTerm, kDisplay };

// The page's own control: IDs 1090 to 1092 are on two pages.
QWidget& PageOf(Dialog& sheet, Page page) {
    return *static_cast<PropertySheet&>(sheet).page(page);
}

class OptionsSheetTest : public OpenDocTest {
protected:
    // Runs the panel's options command; `drive` acts inside the sheet. Clicks
    // and typing reach their control directly: only keys wait for the focus.
    void RunOptions(const std::function<void(Dialog&)>& drive) {
        PanelTasks tasks;
        CMyTALYView panel(*doc, tasks);
        ModalDriver driver;
        driver.then(drive);
        panel.SendCommand(ID_OPTIONS);
        EXPECT_EQ(driver.unexpectedRuns(), 0);
    }
    QByteArray options() const { return regprobe::Setting(QStringLiteral("Options")).data; }
};

TEST_F(OptionsSheetTest, EveryControlReachesItsSettingAndOnlyItsBit) {
    doc->m_dwFlags |= PERIOD_YEAR | 0x20000; // bits no page shows stay as they are
    RunOptions([](Dialog& d) {
        auto& sheet = static_cast<PropertySheet&>(d);
        Click(PageOf(d, kData), 1087);
        Click(PageOf(d, kData), 1141);
        sheet.SetActivePage(kTerm);
        SelectIndex(PageOf(d, kTerm), 1073, 3);
        SelectIndex(PageOf(d, kTerm), 1072, 24);
        SelectIndex(PageOf(d, kTerm), 1074, 1);
        sheet.SetActivePage(kDisplay);
        for (int id : {1088, 1089, 1090, 1091, 1092})
            Click(PageOf(d, kDisplay), id);
        Click(d, IDOK);
    });
    ASSERT_TRUE(doc->SaveAll());
    // Month start 25, week start Monday, the flags: comma off, the four others
    // and "new entries today" on, the folder and period bits kept; saved at exit.
    const std::uint32_t flags =
        0x10000010 | PERIOD_YEAR | 0x20000 | 0x100 | 0x1000 | 0x2 | 0x4 | 0x8;
    EXPECT_EQ(options(), bytes::Options(25, 1, flags, 0, 0));
    EXPECT_EQ(regprobe::Setting(QStringLiteral("StartYear")).data, bytes::U32(4));
}

TEST_F(OptionsSheetTest, BrowseChoosesOtherWithTheClickedFilesFolder) {
    writeData(QStringLiteral("\\x.DAT"), "x");
    RunOptions([this](Dialog& d) {
        static_cast<PropertySheet&>(d).SetActivePage(kFile);
        QWidget& page = PageOf(d, kFile);
        ModalDriver select;
        select.then([](Dialog& s) {
            SelectText(s, 1059, QStringLiteral("x.DAT"));
            Click(s, IDOK);
        });
        TypeText(page, 1139, kFolder);
        Click(page, 1044);
        EXPECT_TRUE(IsChecked(page, 1092));
        EXPECT_EQ(Text(page, 1139), kFolder);
        Click(d, IDCANCEL);
    });
    EXPECT_EQ(doc->m_nDataFolderType, 0); // cancelled: nothing applied
}

// Keys alone: Down picks "アプリ終了時", Ctrl+Tab moves to the next pages,
// Down changes the year start, Space clears the comma box, Enter is OK.
TEST_F(OptionsSheetTest, KeyboardAloneChangesPagesAndSettings) {
    RunOptions([](Dialog& d) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        const auto focus = [] { return QApplication::focusWidget(); };
        for (int i = 0; i < 20 && focus() != Control(PageOf(d, kData), 1086); ++i)
            PressKeyInWindow(d, Qt::Key_Tab);
        PressKeyInWindow(d, Qt::Key_Down);
        for (int i = 0; i < 2; ++i)
            PressKeyInWindow(d, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(static_cast<PropertySheet&>(d).activeIndex(), kTerm);
        for (int i = 0; i < 20 && focus() != Control(PageOf(d, kTerm), 1073); ++i)
            PressKeyInWindow(d, Qt::Key_Tab);
        PressKeyInWindow(d, Qt::Key_Down);
        PressKeyInWindow(d, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(static_cast<PropertySheet&>(d).activeIndex(), kDisplay);
        for (int i = 0; i < 20 && focus() != Control(PageOf(d, kDisplay), 1088); ++i)
            PressKeyInWindow(d, Qt::Key_Tab);
        EXPECT_EQ(focus(), Control(PageOf(d, kDisplay), 1088));
        PressKeyInWindow(d, Qt::Key_Space);
        PressKeyInWindow(d, Qt::Key_Return);
    });
    EXPECT_FALSE(doc->m_bSaveOnChange);
    EXPECT_EQ(doc->m_nYearStartMonth, 2);
    EXPECT_EQ(doc->m_dwFlags & OPT_COMMA, 0u);
}

} // namespace
