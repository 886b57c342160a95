// The organize dialog driven as a person does: pick the period, export,
// delete with the question, import through the folder select; the files and
// the ledger afterwards. Each action leaves the dialog open.
#include "support/DocTest.h"
#include "support/ModalRunner.h"

#include "platform/Files.h"
#include "platform/System.h"
#include "ui/framework/testing/Harness.h"
#include "ui/main/CMyTALYView.h"
#include "ui/main/PanelTasks.h"
#include "ui/maintenance/COrganizeDlg.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QTest>

using namespace tb::ui;
using namespace tb::ui::testing;

namespace {

constexpr int kDelete = 1037;
constexpr int kImport = 1038;
constexpr int kExport = 1068;
constexpr int kStart = 1092;
constexpr int kEnd = 1093;
constexpr int kFolderList = 1059;

InOutRecord Entry(int y, int m, int d, const QString& category, int amount) {
    InOutRecord r{};
    r.date = {static_cast<std::uint16_t>(y),
              static_cast<std::uint16_t>(m),
              0,
              static_cast<std::uint16_t>(d),
              12,
              0,
              0,
              0};
    SetFieldText(r.category, category);
    r.amount = amount;
    return r;
}

void SetDate(Dialog& d, int id, int y, int m, int day) {
    ControlAs<QDateTimeEdit>(d, id)->setDateTime(QDateTime(QDate(y, m, day), QTime(), Qt::UTC));
}

class OrganizeDlgTest : public DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        plat::SetPlatformIdentity(5, QStringLiteral("PocketPC")); // menu 167 on the soft keys
        doc = openDoc();
        for (int day : {1, 15, 31})
            doc->AddRecord(Entry(2008, 8, day, QStringLiteral("aug%1").arg(day), day));
        doc->AddRecord(Entry(2008, 9, 1, QStringLiteral("sep1"), 1000));
        ASSERT_TRUE(doc->SaveAll());
    }
    // Runs the dialog on 1 to 31 August 2008; `drive` acts inside its modal run.
    void Run(const std::function<void(Dialog&)>& drive) {
        COrganizeDlg dlg(doc.get());
        dlg.m_timeStart = plat::TimeFromFields(2008, 8, 1);
        dlg.m_timeEnd = plat::TimeFromFields(2008, 8, 31);
        ModalDriver driver;
        driver.then([&](Dialog& d) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
            drive(d);
            EXPECT_TRUE(d.IsRunning()); // every action keeps it open
            PressKeyInWindow(d, Qt::Key_Escape);
        });
        dlg.DoModal();
        EXPECT_EQ(driver.unexpectedRuns(), 0);
    }
    std::unique_ptr<CMyTALYDoc> doc;
};

TEST_F(OrganizeDlgTest, ExportWritesThePeriodToItsNamedFileAndCounts) {
    Run([](Dialog& d) {
        EXPECT_FALSE(IsShown(d, kExport)); // the soft-key bar stands in for the buttons
        ChooseMenuItem(static_cast<Window&>(d), kExport);
    });
    const QByteArray csv = readData(QStringLiteral("\\20080801-20080831.CSV"));
    EXPECT_EQ(csv.count("\r\n"), 4); // the header and the entries of the 1st, 15th and 31st
    EXPECT_TRUE(csv.contains("3,\"2008/8/31\",\"aug31\""));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text,
              QStringLiteral(u"3個のデータを \"20080801-20080831.CSV\" に出力しました。"));
    EXPECT_EQ(boxes.shown()[0].caption, QStringLiteral(u"CSV作成"));
    EXPECT_EQ(boxes.shown()[0].flags, 0x40u);
}

TEST_F(OrganizeDlgTest, ExportThatCannotCreateItsFileShowsTheErrorOnly) {
    // A folder where the file would go: the file cannot be created.
    ASSERT_TRUE(plat::CreateDirectory(inFolder(QStringLiteral("\\20080801-20080831.CSV"))));
    Run([](Dialog& d) { ChooseMenuItem(static_cast<Window&>(d), kExport); });
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, QStringLiteral("ERROR"));
}

TEST_F(OrganizeDlgTest, EndBeforeStartRefusesExportAndDelete) {
    plat::SetPlatformIdentity(4, QStringLiteral("PocketPC")); // the dialog's own buttons
    Run([](Dialog& d) {
        SetDate(d, kEnd, 2008, 7, 31);
        Click(d, kExport);
        Click(d, kDelete);
    });
    ASSERT_EQ(boxes.shown().size(), 2u);
    for (const RecordedBox& b : boxes.shown()) {
        EXPECT_EQ(b.text, QStringLiteral(u"終了日が開始日より前に設定されています。"));
        EXPECT_EQ(b.caption, QStringLiteral(u"期間設定エラー"));
        EXPECT_EQ(b.flags, 0x34u);
    }
    EXPECT_FALSE(fileExists(inFolder(QStringLiteral("\\20080801-20080731.CSV"))));
    EXPECT_EQ(doc->Count(), 4u);
}

TEST_F(OrganizeDlgTest, DeleteAsksAndRemovesTheWholeLastDayWithoutSaving) {
    const QByteArray saved = readData(datafile::kLedger);
    boxes.answerNext(plat::IDNO);
    Run([](Dialog& d) {
        ChooseMenuItem(static_cast<Window&>(d), kDelete); // No
        ChooseMenuItem(static_cast<Window&>(d), kDelete); // Yes
    });
    EXPECT_EQ(boxes.texts(),
              (std::vector<QString>{QStringLiteral(u"本当に削除してもよろしいですか？"),
                                    QStringLiteral(u"本当に削除してもよろしいですか？"),
                                    QStringLiteral(u"3個のデータを削除しました")}));
    EXPECT_EQ(boxes.shown()[0].caption, QStringLiteral(u"データの整理"));
    EXPECT_EQ(boxes.shown()[0].flags, 0x34u);
    EXPECT_EQ(boxes.shown()[2].flags, 0x40u);
    EXPECT_EQ(categories(*doc), QStringList{QStringLiteral("sep1")});
    EXPECT_EQ(ids(*doc), std::vector<int>{1});
    EXPECT_EQ(readData(datafile::kLedger), saved); // saved with the next SaveAll only
}

TEST_F(OrganizeDlgTest, ImportTakesTheFileChosenInTheFolderSelect) {
    writeData(QStringLiteral("\\bank.csv"), fixture(QStringLiteral("csv/import-bank.csv")));
    COrganizeDlg dlg(doc.get());
    ModalDriver driver;
    driver
        .then([](Dialog& d) {
            ChooseMenuItem(static_cast<Window&>(d), kImport); // returns when the import ended
            EXPECT_TRUE(d.IsRunning());
            PressKeyInWindow(d, Qt::Key_Escape);
        })
        .then([](Dialog& select) {
            const int row = Items(select, kFolderList).indexOf(QStringLiteral("bank.csv"));
            SelectIndex(select, kFolderList, row);
            Click(select, IDOK);
        });
    dlg.DoModal();
    EXPECT_EQ(doc->Count(), 8u);
    ASSERT_FALSE(boxes.shown().empty());
    EXPECT_TRUE(boxes.shown()[0].text.startsWith(QStringLiteral(u"4個のデータを読み込みました")));
}

// Keys alone on the handset's soft keys: the start goes up a year and the end
// follows, F2 opens the actions, Down and Enter export, F1 closes.
TEST_F(OrganizeDlgTest, KeyboardAloneExportsAnotherYear) {
    COrganizeDlg dlg(doc.get());
    dlg.m_timeStart = plat::TimeFromFields(2008, 8, 1);
    dlg.m_timeEnd = plat::TimeFromFields(2008, 8, 31);
    const ModalRun run = RunModal(dlg, [](Dialog& d) {
        ASSERT_EQ(QApplication::focusWidget(), Control(d, kStart));
        PressKeyInWindow(d, Qt::Key_Up);
        EXPECT_EQ(Text(d, kEnd), QStringLiteral(u"2009年8月31日"));
        PressKeys(d, {Qt::Key_F2, Qt::Key_Down, Qt::Key_Return});
        EXPECT_TRUE(d.IsRunning());
        PressKeyInWindow(d, Qt::Key_F1); // 閉じる
    });
    EXPECT_EQ(run.leftOpen, 0);
    EXPECT_EQ(boxes.texts(), std::vector<QString>{QStringLiteral(
                                 u"0個のデータを \"20090801-20090831.CSV\" に出力しました。")});
}

TEST_F(OrganizeDlgTest, PanelCommandOpensTheDefaultMonth) {
    PanelTasks tasks;
    CMyTALYView panel(*doc, tasks);
    ModalDriver driver;
    driver.then([](Dialog& d) {
        EXPECT_EQ(Text(d, kStart), QStringLiteral(u"2008年3月1日"));
        EXPECT_EQ(Text(d, kEnd), QStringLiteral(u"2008年3月31日"));
        PressKeyInWindow(d, Qt::Key_Escape);
    });
    panel.SendCommand(ID_ORGANIZE);
    EXPECT_EQ(driver.unexpectedRuns(), 0);
    EXPECT_EQ(driver.pending(), 0);
}

} // namespace
