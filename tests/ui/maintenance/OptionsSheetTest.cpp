// The options sheet opened from the panel; the settings as a save leaves them.
#include "support/DocTest.h"
#include "support/ModalRunner.h"
#include "support/RegistryProbe.h"

#include "ui/framework/PropertySheet.h"
#include "ui/framework/testing/Harness.h"
#include "ui/main/CMyTALYView.h"
#include "ui/main/PanelTasks.h"

using namespace tb::ui;
using namespace tb::ui::testing;

namespace {

enum Page { kData, kFile, kTerm, kDisplay };

class OptionsSheetTest : public OpenDocTest {
protected:
    // Runs the panel's options command: `drive` in the sheet, `more` in the runs it
    // opens. Clicks and typing reach their control; only keys need the focus.
    void RunOptions(const std::function<void(PropertySheet&)>& drive,
                    std::vector<DialogAction> more = {}) {
        PanelTasks tasks;
        CMyTALYView panel(*doc, tasks);
        more.insert(more.begin(), [&](Dialog& d) { drive(static_cast<PropertySheet&>(d)); });
        EXPECT_EQ(RunActing([&] { panel.SendCommand(ID_OPTIONS); }, more), 0);
    }
};

// "..." picks "other" with the chosen file's folder (Cancel applies nothing).
TEST_F(OptionsSheetTest, BrowseChoosesOtherThenEveryControlReachesItsSettingAndOnlyItsBit) {
    writeData(QStringLiteral("\\x.DAT"), "x");
    RunOptions(
        [this](PropertySheet& d) {
            d.SetActivePage(kFile);
            QWidget& page = *d.page(kFile);
            Click(page, 1044); // cancelled
            EXPECT_FALSE(IsChecked(page, 1092));
            TypeText(page, 1139, kFolder);
            Click(page, 1044);
            EXPECT_EQ(std::pair(IsChecked(page, 1092), Text(page, 1139)), std::pair(true, kFolder));
            Click(d, IDCANCEL);
        },
        {[](Dialog& select) { Click(select, IDCANCEL); },
         [](Dialog& select) {
             SelectText(select, 1059, QStringLiteral("x.DAT"));
             Click(select, IDOK);
         }});
    EXPECT_EQ(doc->m_nDataFolderType, 0);
    doc->m_dwFlags |= PERIOD_YEAR | 0x20000; // bits no page shows stay as they are
    RunOptions([](PropertySheet& d) {
        for (int id : {1087, 1141})
            Click(*d.page(kData), id);
        d.SetActivePage(kFile); // the same folder named by its path: stored, nothing moves
        Click(*d.page(kFile), 1092);
        TypeText(*d.page(kFile), 1139, kFolder);
        d.SetActivePage(kTerm);
        for (const auto& [id, index] : {std::pair{1073, 3}, {1072, 24}, {1074, 1}})
            SelectIndex(*d.page(kTerm), id, index);
        d.SetActivePage(kDisplay);
        for (int id : {1088, 1089, 1090, 1091, 1092}) // 1090 to 1092 are on the file page too
            Click(*d.page(kDisplay), id);
        Click(d, IDOK);
    });
    ASSERT_TRUE(doc->SaveAll());
    // Month start 25, week start Monday; comma off, the four others and "new entries
    // today" on, the folder and period bits kept, the folder "other"; saved at exit.
    const std::uint32_t flags = 0x10000010 | PERIOD_YEAR | 0x20000 | 0x100 | 0x1000 | 0xe;
    EXPECT_EQ(regprobe::Setting(QStringLiteral("Options")).data,
              bytes::Options(25, 1, flags, 0, 0));
    EXPECT_EQ(std::pair(regprobe::Setting(QStringLiteral("StartYear")).data,
                        regprobe::Setting(QStringLiteral("DataFile1Flag")).data),
              std::pair(bytes::U32(4), bytes::U32(2)));
}

// Keys alone: Down picks "アプリ終了時", Ctrl+Tab moves to the next pages,
// Down changes the year start, Space clears the comma box, Enter is OK.
TEST_F(OptionsSheetTest, KeyboardAloneChangesPagesAndSettings) {
    doc->m_dwFlags |= OPT_NEW_ENTRY_TODAY; // shown as the base-date box unticked, and kept
    RunOptions([](PropertySheet& d) {
        const auto press = [&d](Page page, int id, int key) {
            PressKeyOn(d, Control(*d.page(page), id), key);
        };
        const auto nextPage = [&d] { PressKeyInWindow(d, Qt::Key_Tab, Qt::ControlModifier); };
        press(kData, 1086, Qt::Key_Down);
        nextPage();
        nextPage();
        press(kTerm, 1073, Qt::Key_Down);
        nextPage();
        press(kDisplay, 1088, Qt::Key_Space);
        PressKeyInWindow(d, Qt::Key_Return);
    });
    EXPECT_EQ(std::tuple(doc->m_bSaveOnChange, doc->m_nYearStartMonth,
                         doc->m_dwFlags & (OPT_COMMA | OPT_NEW_ENTRY_TODAY)),
              std::tuple(false, 2, OPT_NEW_ENTRY_TODAY));
}

} // namespace
