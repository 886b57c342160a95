// The folder select driven through its drop-down and list.
#include "support/DeviceTest.h"
#include "support/ModalRunner.h"

#include "ui/framework/testing/Harness.h"
#include "ui/maintenance/CFolderSelectDlg.h"

#include <QListWidget>
#include <QTest>

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kCaption = 1140, kLevels = 1058, kEntries = 1059;

class FolderSelectTest : public DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        for (const char* file :
             {"Tallybook\\20080801-20080831.CSV", "Tallybook\\notes.txt", "Tallybook\\acsv",
              "Tallybook\\a.csv.bak", "Tallybook\\.cache\\a.csv", "Tallybook\\Old\\b.csv",
              "Empty\\c.txt"})
            writeFile(u"\\My Documents\\"_s + QLatin1String(file), "x");
        dlg.m_strPath = u"\\My Documents\\Tallybook\\"_s;
        dlg.m_strExt = u".csv"_s;
        dlg.m_strCaption = u"*.csv"_s;
    }
    int Run(DialogAction drive) { return RunModal(dlg, std::move(drive)).result; }
    CFolderSelectDlg dlg;
};

// Folders and the files of the extension are listed; up from My Documents and
// level zero lead to the root; OK takes only a file clicked in the folder shown.
TEST_F(FolderSelectTest, ListsFoldersAndFilesOfTheExtensionAndTakesAFileOfTheFolderShown) {
    const int result = Run([this](Dialog& d) {
        const auto enter = [&d](const QStringList& rows) {
            for (const QString& row : rows)
                SelectText(d, kEntries, row);
        };
        EXPECT_EQ(Items(d, kLevels),
                  (QStringList{u"\\"_s, u"  My Documents"_s, u"    Tallybook"_s}));
        EXPECT_EQ(CurrentIndex(d, kLevels), 2);
        EXPECT_EQ(Items(d, kEntries),
                  (QStringList{u"20080801-20080831.CSV"_s, u"[..]"_s, u"[Old]"_s}));
        Click(d, IDOK); // no file yet
        EXPECT_TRUE(d.IsRunning());
        enter({u"[..]"_s, u"[..]"_s});
        EXPECT_EQ(Items(d, kLevels), QStringList{u"\\"_s});
        EXPECT_FALSE(Items(d, kEntries).contains(u"[..]"_s));
        enter({u"[My Documents]"_s, u"[Tallybook]"_s});
        EXPECT_EQ(Text(d, kCaption), u"\\My Documents\\Tallybook"_s);
        SelectIndex(d, kLevels, 1);
        EXPECT_TRUE(Items(d, kEntries).contains(u"[Empty]"_s));
        SelectIndex(d, kLevels, 0);
        // Choosing a level leaves the caption line as it was.
        EXPECT_EQ(Items(d, kLevels) << dlg.m_strPath << Text(d, kCaption),
                  (QStringList{u"\\"_s, QString(), u"\\My Documents\\Tallybook"_s}));
        enter({u"[My Documents]"_s, u"[Tallybook]"_s, u"20080801-20080831.CSV"_s, u"[Old]"_s});
        EXPECT_EQ(Text(d, kCaption), u"\\My Documents\\Tallybook\\Old"_s);
        EXPECT_EQ(Items(d, kLevels).size(), 4);
        Click(d, IDOK); // the file was in the folder left behind
        EXPECT_TRUE(d.IsRunning());
        SelectText(d, kEntries, u"b.csv"_s);
        Click(d, IDOK);
    });
    EXPECT_EQ(std::tuple(result, dlg.m_strPath, dlg.m_strFile),
              std::tuple(IDOK, u"\\My Documents\\Tallybook\\Old"_s, u"b.csv"_s));
}

// Keys alone once the dialog is open: the arrows pass "[..]" and a folder
// without entering them; a tap on the row they highlighted enters it, as Enter
// on "[..]" goes up; a file row and Enter confirm.
TEST_F(FolderSelectTest, FolderAndFileReachedByKeysAloneOrATapOnTheHighlightedRow) {
    QStringList seen;
    const int result = Run([&](Dialog& d) {
        PressKeyInWindow(d, Qt::Key_Tab); // into the list, its first row highlighted
        seen << QString::number(d.FocusedControlId());
        PressKeys(d, {Qt::Key_Down, Qt::Key_Down}); // on "[Old]"
        seen << Text(d, kCaption);
        auto* list = ControlAs<QListWidget>(d, kEntries);
        const QRect row = list->visualItemRect(list->currentItem());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        seen << Text(d, kCaption) << Items(d, kEntries).join(u',');
        PressKeys(d, {Qt::Key_Down, Qt::Key_Return}); // on "[..]"
        seen << Text(d, kCaption);
        PressKeys(d, {Qt::Key_Down, Qt::Key_Return}); // the file listed first
    });
    seen << QString::number(result) << dlg.m_strPath << dlg.m_strFile;
    EXPECT_EQ(seen.join(u'|').toStdString(),
              "1059|*.csv|\\My Documents\\Tallybook\\Old|[..],b.csv|"
              "\\My Documents\\Tallybook|1|\\My Documents\\Tallybook|"
              "20080801-20080831.CSV");
}

} // namespace
