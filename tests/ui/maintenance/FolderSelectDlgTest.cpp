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

using FolderSelectTest = DeviceTest;

// Folders and files of the extension are listed. The arrows pass "[..]" and folders without
// entering them; a tap on the row they highlight enters it, as Enter on "[..]" goes up. Up
// from My Documents and level zero reach the root; only a file of the folder shown is taken.
TEST_F(FolderSelectTest, FoldersAndFilesReachedByKeysTapsAndChoices) {
    for (const char* file : {"Tallybook\\20080801-20080831.CSV", "Tallybook\\notes.txt",
                             "Tallybook\\acsv", "Tallybook\\a.csv.bak", "Tallybook\\.cache\\a.csv",
                             "Tallybook\\Old\\b.csv", "Empty\\c.txt"})
        writeFile(u"\\My Documents\\"_s + QLatin1String(file), "x");
    CFolderSelectDlg dlg;
    dlg.m_strPath = u"\\My Documents\\Tallybook\\"_s;
    dlg.m_strExt = u".csv"_s;
    dlg.m_strCaption = u"*.csv"_s;
    const DialogAction drive = [&](Dialog& d) {
        EXPECT_EQ(Items(d, kLevels) << QString::number(CurrentIndex(d, kLevels)),
                  (QStringList{u"\\"_s, u"  My Documents"_s, u"    Tallybook"_s, u"2"_s}));
        EXPECT_EQ(Items(d, kEntries),
                  (QStringList{u"20080801-20080831.CSV"_s, u"[..]"_s, u"[Old]"_s}));
        PressKeyInWindow(d, Qt::Key_Tab);           // into the list, its first row highlighted
        PressKeys(d, {Qt::Key_Down, Qt::Key_Down}); // on "[Old]"
        EXPECT_EQ(Text(d, kCaption), u"*.csv"_s);
        auto* list = ControlAs<QListWidget>(d, kEntries);
        const QRect row = list->visualItemRect(list->currentItem());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        EXPECT_EQ(Items(d, kEntries), (QStringList{u"[..]"_s, u"b.csv"_s}));
        PressKeys(d, {Qt::Key_Down, Qt::Key_Return}); // on "[..]"
        EXPECT_EQ(Text(d, kCaption), u"\\My Documents\\Tallybook"_s);
        for (const QString& entry : {u"[..]"_s, u"[..]"_s, u"[My Documents]"_s, u"[Tallybook]"_s})
            SelectText(d, kEntries, entry);
        SelectIndex(d, kLevels, 1);
        EXPECT_TRUE(Items(d, kEntries).contains(u"[Empty]"_s));
        SelectIndex(d, kLevels, 0);
        // Choosing a level leaves the caption line as it was.
        EXPECT_EQ(Items(d, kLevels) << dlg.m_strPath << Text(d, kCaption),
                  (QStringList{u"\\"_s, QString(), u"\\My Documents\\Tallybook"_s}));
        EXPECT_FALSE(Items(d, kEntries).contains(u"[..]"_s));
        for (const QString& entry :
             {u"[My Documents]"_s, u"[Tallybook]"_s, u"20080801-20080831.CSV"_s, u"[Old]"_s})
            SelectText(d, kEntries, entry);
        EXPECT_EQ(Text(d, kCaption), u"\\My Documents\\Tallybook\\Old"_s);
        EXPECT_EQ(Items(d, kLevels).size(), 4);
        Click(d, IDOK); // the file was in the folder left behind
        EXPECT_TRUE(d.IsRunning());
        PressKeys(d, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}); // "b.csv" confirms
    };
    EXPECT_EQ(RunModal(dlg, drive).result, IDOK);
    EXPECT_EQ(dlg.m_strPath + u'\\' + dlg.m_strFile, u"\\My Documents\\Tallybook\\Old\\b.csv"_s);
}

} // namespace
