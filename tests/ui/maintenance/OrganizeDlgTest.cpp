// The organize dialog driven as a person does; the files and ledger after.
#include "support/DocTest.h"
#include "support/ModalRunner.h"

#include "platform/Device.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "ui/framework/testing/Harness.h"
#include "ui/main/CMyTALYView.h"
#include "ui/main/PanelTasks.h"
#include "ui/maintenance/COrganizeDlg.h"

#include <QDir>

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kDelete = 1037, kImport = 1038, kExport = 1068, kStart = 1092, kEnd = 1093;

// Every box shown, as "caption flags: first line of the text", the flags in hex.
std::vector<QString> Shown(const MessageBoxRecorder& boxes) {
    std::vector<QString> out;
    for (const RecordedBox& b : boxes.shown())
        out.push_back(
            u"%1 %2: %3"_s.arg(b.caption).arg(b.flags, 0, 16).arg(b.text.section(u'\r', 0, 0)));
    return out;
}

using OrganizeDlgTest = OpenDocTest;

// On its own buttons, the dialog staying open: an end before the start refuses both
// actions; a changed start moves the end; a failed export shows only the error; a delete
// asks, takes the whole last day and saves nothing; an import takes the file selected.
TEST_F(OrganizeDlgTest, RefusedPeriodThenExportDeleteAndImportTheMonth) {
    for (auto [m, d] : {std::pair<std::uint16_t, std::uint16_t>{8, 1}, {8, 15}, {8, 31}, {9, 1}})
        doc->AddRecord(
            record({.category = u"%1/%2"_s.arg(m).arg(d), .month = m, .day = d, .hour = 12}));
    const QString name = u"\\20080801-20080831.CSV"_s;
    ASSERT_TRUE(plat::CreateDirectory(inFolder(name)));
    writeData(u"\\bank.csv"_s, fixture(u"csv/import-bank.csv"_s));
    const QByteArray saved = readData(datafile::kLedger);
    COrganizeDlg dlg(doc.get());
    dlg.m_timeStart = plat::TimeFromFields(2008, 8, 1);
    dlg.m_timeEnd = plat::TimeFromFields(2008, 7, 31);
    const DialogAction drive = [&](Dialog& d) {
        Click(d, kExport);
        Click(d, kDelete);
        PressKey(*Control(d, kStart), Qt::Key_Up);
        PressKey(*Control(d, kStart), Qt::Key_Down); // back to 1 August, ending on the 31st
        Click(d, kExport);
        ASSERT_TRUE(QDir().rmdir(plat::ToHostPath(inFolder(name))));
        Click(d, kExport);
        Click(d, kDelete); // Yes
        EXPECT_EQ(categories(*doc), QStringList{u"9/1"_s});
        EXPECT_EQ(readData(datafile::kLedger), saved);
        Click(d, kImport); // returns when the import ended
    };
    const DialogAction select = Acting([](Dialog& s) {
        SelectText(s, 1059, u"bank.csv"_s);
        Click(s, IDOK);
    });
    EXPECT_EQ(RunModal(dlg, drive, {select}).leftOpen, 1);
    EXPECT_TRUE(readData(name).contains("3,\"2008/8/31\",\"8/31\"")); // the last day whole
    const QString refusal = u"期間設定エラー 34: 終了日が開始日より前に設定されています。"_s;
    EXPECT_EQ(
        Shown(boxes),
        (std::vector{refusal, refusal, u"ERROR 0: Error ! ID = 5"_s,
                     u"CSV作成 40: 3個のデータを \"20080801-20080831.CSV\" に出力しました。"_s,
                     u"データの整理 34: 本当に削除してもよろしいですか？"_s,
                     u"データの整理 40: 3個のデータを削除しました"_s,
                     u"インポート 0: 4個のデータを読み込みました"_s}));
}

// The panel opens it on the month around today. Keys alone on the handset's
// soft keys: the start goes up a year and the end follows, F2 opens the
// actions: export, delete (answered No) and import (escaped); F1 closes.
TEST_F(OrganizeDlgTest, PanelOpensTheMonthAroundTodayAndKeysAloneReachEveryAction) {
    plat::SetPlatformIdentity(5, u"PocketPC"_s); // menu 167 on the soft keys
    PanelTasks tasks;
    CMyTALYView panel(*doc, tasks);
    const DialogAction keys = [](Dialog& d) {
        EXPECT_FALSE(IsShown(d, kExport)); // the soft-key bar stands in for the buttons
        EXPECT_EQ(Text(d, kStart) + u'-' + Text(d, kEnd), u"2008年3月1日-2008年3月31日"_s);
        PressKeyInWindow(d, Qt::Key_Up); // the start has the focus; the end follows
        PressKeys(d, {Qt::Key_F2, Qt::Key_Down, Qt::Key_Return, Qt::Key_F2, Qt::Key_Return,
                      Qt::Key_F2, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return});
        EXPECT_TRUE(d.IsRunning());
        PressKeyInWindow(d, Qt::Key_F1); // 閉じる
    };
    const DialogAction escape = [](Dialog& s) { PressKeyInWindow(s, Qt::Key_Escape); };
    boxes.setDefaultYesNoAnswer(plat::IDNO);
    EXPECT_EQ(RunActing([&] { panel.SendCommand(ID_ORGANIZE); }, {keys, escape}), 0);
    EXPECT_EQ(boxes.texts(),
              (std::vector<QString>{u"0個のデータを \"20090301-20090331.CSV\" に出力しました。"_s,
                                    u"本当に削除してもよろしいですか？"_s}));
}

} // namespace
