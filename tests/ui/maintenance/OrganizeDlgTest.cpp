// The organize dialog driven as a person does: pick the period, export,
// delete with the question, import through the folder select; the files and
// the ledger afterwards. Each action leaves the dialog open.
#include "support/DocTest.h"
#include "support/ModalRunner.h"

#include "platform/Device.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "ui/framework/testing/Harness.h"
#include "ui/main/CMyTALYView.h"
#include "ui/main/PanelTasks.h"
#include "ui/maintenance/COrganizeDlg.h"

#include <QApplication>
#include <QDir>

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kDelete = 1037, kImport = 1038, kExport = 1068, kStart = 1092, kEnd = 1093;

InOutRecord Entry(int m, int d, const QString& category, int amount) {
    InOutRecord r{};
    r.date = {2008, static_cast<std::uint16_t>(m), 0, static_cast<std::uint16_t>(d), 12, 0, 0, 0};
    SetFieldText(r.category, category);
    r.amount = amount;
    return r;
}

// Every box shown, as "caption flags: text" with the flags in hex.
std::vector<QString> Shown(const MessageBoxRecorder& boxes) {
    std::vector<QString> out;
    for (const RecordedBox& b : boxes.shown())
        out.push_back(u"%1 %2: %3"_s.arg(b.caption).arg(b.flags, 0, 16).arg(b.text));
    return out;
}

class OrganizeDlgTest : public DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        plat::SetPlatformIdentity(5, u"PocketPC"_s); // menu 167 on the soft keys
        doc = openDoc();
        for (int day : {1, 15, 31})
            doc->AddRecord(Entry(8, day, u"aug%1"_s.arg(day), day));
        doc->AddRecord(Entry(9, 1, u"sep1"_s, 1000));
        ASSERT_TRUE(doc->SaveAll());
    }
    // Runs the dialog from 1 August 2008 to `end`; every action keeps it open.
    void Run(plat::TimeValue end, DialogAction drive, std::vector<DialogAction> nested = {}) {
        COrganizeDlg dlg(doc.get());
        dlg.m_timeStart = plat::TimeFromFields(2008, 8, 1);
        dlg.m_timeEnd = end;
        EXPECT_EQ(RunModal(dlg, std::move(drive), std::move(nested)).leftOpen, 1);
    }
    std::unique_ptr<CMyTALYDoc> doc;
};

// An export to a file that cannot be created shows the error, never the count;
// a delete asks, removes the whole last day and leaves the saving to the next
// SaveAll; an import takes the file chosen in the folder select.
TEST_F(OrganizeDlgTest, ExportDeleteAndImportTheMonth) {
    const QString name = u"\\20080801-20080831.CSV"_s;
    ASSERT_TRUE(plat::CreateDirectory(inFolder(name)));
    writeData(u"\\bank.csv"_s, fixture(u"csv/import-bank.csv"_s));
    const QByteArray saved = readData(datafile::kLedger);
    Run(plat::TimeFromFields(2008, 8, 31),
        [&](Dialog& d) {
            EXPECT_FALSE(IsShown(d, kExport)); // the soft-key bar stands in for the buttons
            ChooseMenuItem(d, kExport);
            ASSERT_TRUE(QDir().rmdir(plat::ToHostPath(inFolder(name))));
            ChooseMenuItem(d, kExport);
            boxes.setDefaultYesNoAnswer(plat::IDNO);
            ChooseMenuItem(d, kDelete);
            boxes.setDefaultYesNoAnswer(plat::IDYES);
            ChooseMenuItem(d, kDelete);
            EXPECT_EQ(categories(*doc), QStringList{u"sep1"_s});
            EXPECT_EQ(ids(*doc), std::vector<int>{1});
            EXPECT_EQ(readData(datafile::kLedger), saved);
            ChooseMenuItem(d, kImport); // returns when the import ended
        },
        {Acting([](Dialog& select) {
            SelectText(select, 1059, u"bank.csv"_s);
            Click(select, IDOK);
        })});
    const QByteArray csv = readData(name);
    EXPECT_EQ(csv.count("\r\n"), 4); // the header and the entries of the 1st, 15th and 31st
    EXPECT_TRUE(csv.contains("3,\"2008/8/31\",\"aug31\""));
    std::vector<QString> shown = Shown(boxes);
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_TRUE(shown[5].contains(u": 4個のデータを読み込みました"_s));
    const QString question = u"データの整理 34: 本当に削除してもよろしいですか？"_s;
    EXPECT_EQ(
        std::vector(shown.begin(), shown.end() - 1),
        (std::vector{u"ERROR 0: Error ! ID = 5"_s,
                     u"CSV作成 40: 3個のデータを \"20080801-20080831.CSV\" に出力しました。"_s,
                     question, question, u"データの整理 40: 3個のデータを削除しました"_s}));
    EXPECT_EQ(doc->Count(), 5u);
}

TEST_F(OrganizeDlgTest, EndBeforeStartRefusesExportAndDelete) {
    plat::SetPlatformIdentity(4, u"PocketPC"_s); // the dialog's own buttons
    Run(plat::TimeFromFields(2008, 7, 31), [](Dialog& d) {
        Click(d, kExport);
        Click(d, kDelete);
    });
    const QString refusal = u"期間設定エラー 34: 終了日が開始日より前に設定されています。"_s;
    EXPECT_EQ(Shown(boxes), (std::vector{refusal, refusal}));
    EXPECT_FALSE(fileExists(inFolder(u"\\20080801-20080731.CSV"_s)));
    EXPECT_EQ(doc->Count(), 4u);
}

// The panel opens it on the month around today. Keys alone on the handset's
// soft keys: the start goes up a year and the end follows, F2 opens the
// actions, Down and Enter export, F1 closes.
TEST_F(OrganizeDlgTest, PanelOpensTheMonthAroundTodayAndKeysAloneExportAnotherYear) {
    PanelTasks tasks;
    CMyTALYView panel(*doc, tasks);
    const DialogAction keys = [](Dialog& d) {
        EXPECT_EQ(Text(d, kStart), u"2008年3月1日"_s);
        EXPECT_EQ(Text(d, kEnd), u"2008年3月31日"_s);
        ASSERT_EQ(QApplication::focusWidget(), Control(d, kStart));
        PressKeyInWindow(d, Qt::Key_Up);
        EXPECT_EQ(Text(d, kEnd), u"2009年3月31日"_s);
        PressKeys(d, {Qt::Key_F2, Qt::Key_Down, Qt::Key_Return});
        EXPECT_TRUE(d.IsRunning());
        PressKeyInWindow(d, Qt::Key_F1); // 閉じる
    };
    EXPECT_EQ(RunActing([&] { panel.SendCommand(ID_ORGANIZE); }, {keys}), 0);
    EXPECT_EQ(boxes.texts(),
              std::vector<QString>{u"0個のデータを \"20090301-20090331.CSV\" に出力しました。"_s});
}

} // namespace
