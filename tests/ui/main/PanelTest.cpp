// The main window and the command panel: every command by button, digit key
// and menu bar; saving on exit, on Ctrl+S and on the window manager's close;
// the soft-key bar by platform; the input-mode hints.
#include "support/DeviceTest.h"
#include "support/Bytes.h"
#include "support/RegistryProbe.h"

#include "ledger/CMyTALYDoc.h"
#include "platform/Faults.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "ui/framework/Bars.h"
#include "ui/framework/testing/Harness.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/CMyTALYView.h"
#include "ui/main/PanelTasks.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <cstring>

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

using bytes::AmountsInLedger;
using bytes::MakeRecord;

// Records which task the panel opened, with what, and whether it was visible then.
class RecordingTasks : public PanelTasks {
public:
    void RunNewEntryFlow(QWidget* owner, CMyTALYDoc&, plat::TimeValue date) override {
        record(owner, u"new-entry"_s, date);
    }
    void NewEntryFromTemplate(QWidget* owner, CMyTALYDoc&, plat::TimeValue date) override {
        record(owner, u"template"_s, date);
    }
    void OpenSummary(QWidget* owner, CMyTALYDoc& doc, std::uint32_t mode, plat::TimeValue date,
                     bool detail) override {
        record(owner, u"summary %1%2"_s.arg(mode, 0, 16).arg(detail ? u" detail"_s : u""_s), date);
        periodSeen = doc.m_dwFlags & PERIOD_MASK;
    }
    void OpenOrganize(QWidget* owner, CMyTALYDoc&) override { record(owner, u"organize"_s); }
    void OpenItemEdit(QWidget* owner, CMyTALYDoc&, const QString& file) override {
        record(owner, u"item-edit "_s + file);
    }
    void OpenOptions(QWidget* owner, CMyTALYDoc&) override { record(owner, u"options"_s); }

    QStringList calls;
    std::vector<bool> ownerVisible;
    std::vector<plat::TimeValue> dates;
    std::uint32_t periodSeen = 0;

private:
    void record(QWidget* owner, const QString& what, plat::TimeValue date = 0) {
        calls << what;
        ownerVisible.push_back(owner->isVisible());
        dates.push_back(date);
    }
};

class PanelTest : public DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        plat::SetPlatformIdentity(5, u"PocketPC"_s);
    }
    void TearDown() override {
        frame.reset();
        doc.reset();
        DeviceTest::TearDown();
    }
    void Open() {
        doc = std::make_unique<CMyTALYDoc>();
        frame = std::make_unique<CMainFrame>(*doc, tasks);
        quits = std::make_unique<QSignalSpy>(&panel(), &CMyTALYView::quitPosted);
        frame->show();
        QApplication::processEvents();
    }
    CMyTALYView& panel() const { return *frame->panel(); }
    QByteArray ledgerFile() const { return readFile(doc->DataPath(u"\\収支.DAT"_s)); }
    void PressDigit(int digit) { PressKeyInWindow(panel(), Qt::Key_0 + digit); }

    RecordingTasks tasks;
    std::unique_ptr<CMyTALYDoc> doc;
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<QSignalSpy> quits;
};

// --- Commands: buttons, digit keys and the menu bar reach the same handler ---

struct CommandRow {
    const char* name;
    int button;
    int digit; // -1: no digit key
    const char* call;
};
void PrintTo(const CommandRow& row, std::ostream* os) {
    *os << row.name;
}

class PanelCommands : public PanelTest, public ::testing::WithParamInterface<CommandRow> {};

TEST_P(PanelCommands, ButtonAndDigitKeyOpenTheTask) {
    const CommandRow& row = GetParam();
    Open();
    Click(panel(), row.button);
    if (row.digit >= 0) PressDigit(row.digit);
    const int times = row.digit >= 0 ? 2 : 1;
    EXPECT_EQ(tasks.calls, QStringList(QList<QString>(times, QString::fromUtf8(row.call))));
    for (plat::TimeValue date : tasks.dates) {
        if (date != 0) {
            EXPECT_EQ(date, kTestNow);
        }
    }
    EXPECT_TRUE(panel().isVisible()); // shown again after the task
    EXPECT_EQ(quits->count(), 0);
}

const CommandRow kCommandRows[] = {
    {"NewEntry", 32809, 1, "new-entry"},     {"Template", 1044, 2, "template"},
    {"Category", 32778, 3, "summary 20000"}, {"Remark", 32782, 4, "summary 40000"},
    {"Payee", 32779, 5, "summary 80000"},    {"PayMethod", 32780, 6, "summary 100000"},
    {"Date", 32777, 7, "summary 10000"},     {"Detail", 32815, 8, "summary 8000 detail"},
    {"Organize", 32791, -1, "organize"},     {"ItemEdit", 32792, -1, "item-edit \\分類.DAT"},
    {"Options", 32793, -1, "options"},
};

INSTANTIATE_TEST_SUITE_P(Panel, PanelCommands, ::testing::ValuesIn(kCommandRows),
                         [](const auto& row) { return std::string(row.param.name); });

// The entry tasks hide their owner themselves; the item edit covers the panel.
TEST_F(PanelTest, ItemEditRunsWithThePanelHidden) {
    Open();
    Click(panel(), 32792);
    Click(panel(), 32778);
    EXPECT_EQ(tasks.ownerVisible, (std::vector<bool>{false, true}));
    EXPECT_TRUE(panel().isVisible());
}

TEST_F(PanelTest, NineFocusesOrganizeAndOpensNothing) {
    Open();
    PressDigit(9);
    EXPECT_EQ(panel().FocusedControlId(), 32791);
    EXPECT_TRUE(tasks.calls.isEmpty());
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(PanelTest, NumericPadDigitsAreNoShortcuts) {
    Open();
    for (int key = Qt::Key_0; key <= Qt::Key_9; ++key)
        PressKeyInWindow(panel(), key, Qt::KeypadModifier);
    EXPECT_TRUE(tasks.calls.isEmpty());
    EXPECT_EQ(quits->count(), 0);
}

TEST_F(PanelTest, MenuBarDateOpensSameSummaryAsButton) {
    Open();
    SoftKeyBar* bar = frame->softKeyBar();
    ASSERT_NE(bar, nullptr);
    QMenu* data = bar->preparePopup(1);
    ASSERT_NE(data, nullptr);
    QAction* date = data->findChild<QAction*>(u"32777"_s);
    ASSERT_NE(date, nullptr);
    date->trigger();
    Click(panel(), 32777);
    EXPECT_EQ(tasks.calls, (QStringList{u"summary 10000"_s, u"summary 10000"_s}));
}

TEST_F(PanelTest, VersionBoxShowsProgramVersion) {
    Open();
    ModalDriver driver;
    QString title;
    QStringList texts;
    driver.then([&](Dialog& dlg) {
        title = dlg.windowTitle();
        for (QWidget* w : dlg.findChildren<QWidget*>())
            if (auto* label = qobject_cast<QLabel*>(w)) texts << label->text();
        Click(dlg, 1);
    });
    Click(panel(), 57664);
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_EQ(title, u"TALY のバージョン情報"_s);
    EXPECT_TRUE(texts.contains(u"Tallybook Ver 1.52"_s)) << texts.join(u'|').toStdString();
}

TEST_F(PanelTest, HelpButtonIsNeverOffered) {
    Open();
    EXPECT_FALSE(IsShown(panel(), 57666));
    EXPECT_FALSE(IsEnabled(panel(), 57666));
}

constexpr std::uint32_t Bits(std::uint32_t a, std::uint32_t b) {
    return a | b;
}

struct DetailRow {
    const char* name;
    std::uint32_t flags;
    std::uint32_t periodAfter;
};
void PrintTo(const DetailRow& row, std::ostream* os) {
    *os << row.name;
}

class PanelDetail : public PanelTest, public ::testing::WithParamInterface<DetailRow> {};

TEST_P(PanelDetail, DetailListPeriod) {
    const DetailRow& row = GetParam();
    Open();
    doc->m_dwFlags = row.flags;
    PressDigit(8);
    EXPECT_EQ(tasks.periodSeen, row.periodAfter);
    EXPECT_EQ(doc->m_dwFlags & PERIOD_MASK, row.periodAfter); // kept afterwards
}

const DetailRow kDetailRows[] = {
    {"YearBecomesMonth", Bits(OPT_DETAIL_YEAR_TO_MONTH, PERIOD_YEAR), PERIOD_MONTH},
    {"YearKeptWithoutOption", PERIOD_YEAR, PERIOD_YEAR},
    {"WeekKeptWithOption", Bits(OPT_DETAIL_YEAR_TO_MONTH, PERIOD_WEEK), PERIOD_WEEK},
};

INSTANTIATE_TEST_SUITE_P(Panel, PanelDetail, ::testing::ValuesIn(kDetailRows),
                         [](const auto& row) { return std::string(row.param.name); });

// --- Saving and ending -------------------------------------------------------

TEST_F(PanelTest, ZeroWritesSettingsLedgerAndTemplatesAndEnds) {
    Open();
    doc->m_bSaveOnChange = false;
    doc->m_nMonthStartDay = 25;
    ASSERT_TRUE(doc->AddRecord(MakeRecord(1200)));
    ASSERT_EQ(doc->AddTemplate(u"家賃"_s, InOutRecord{}), 0);
    PressDigit(0);
    EXPECT_EQ(quits->count(), 1);
    EXPECT_EQ(AmountsInLedger(ledgerFile()), std::vector<std::int32_t>{1200});
    const QByteArray templates = readFile(doc->DataPath(u"\\TEIBAN.DAT"_s));
    EXPECT_TRUE(templates.contains(QByteArray(reinterpret_cast<const char*>(u"家賃"), 4)));
    plat::HKEY key = nullptr;
    ASSERT_EQ(plat::RegOpenKeyEx(plat::HKEY_LOCAL_MACHINE, u"SOFTWARE\\Orvane\\TALY"_s, &key),
              plat::ERROR_SUCCESS);
    plat::DWORD type = 0, size = 0;
    EXPECT_EQ(plat::RegQueryValueEx(key, u"Options"_s, &type, nullptr, &size), plat::ERROR_SUCCESS);
    plat::RegCloseKey(key);
    EXPECT_FALSE(doc->IsOpen()); // released after the save
    EXPECT_EQ(doc->Count(), 0u);
    frame.reset(); // the panel saves once more, with nothing left to write
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(AmountsInLedger(ledgerFile()), std::vector<std::int32_t>{1200});
}

TEST_F(PanelTest, ExitCommandFromMenuAndCtrlQEndLikeZero) {
    Open();
    QMenu* file = frame->softKeyBar()->preparePopup(0);
    ASSERT_NE(file, nullptr);
    file->findChild<QAction*>(u"32795"_s)->trigger();
    EXPECT_EQ(quits->count(), 1);
    quits->clear();
    QTest::keyClick(frame.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quits->count(), 1);
}

TEST_F(PanelTest, FailedSaveOnExitKeepsProgramOpenWithItsData) {
    Open();
    doc->m_bSaveOnChange = false;
    ASSERT_TRUE(doc->AddRecord(MakeRecord(777)));
    plat::faults::FailFrom(plat::faults::Op::Write, 1, plat::ERROR_DISK_FULL);
    PressDigit(0);
    EXPECT_EQ(quits->count(), 0);
    EXPECT_FALSE(boxes.shown().empty()); // the save told the person
    EXPECT_TRUE(doc->IsOpen());
    EXPECT_EQ(doc->Count(), 1u);
    plat::faults::Reset(); // space freed: exit again
    PressDigit(0);
    EXPECT_EQ(quits->count(), 1);
    EXPECT_EQ(AmountsInLedger(ledgerFile()), std::vector<std::int32_t>{777});
}

TEST_F(PanelTest, WindowManagerCloseSavesEntryAddedOnSaveOnExit) {
    Open();
    doc->m_bSaveOnChange = false;
    ASSERT_TRUE(doc->AddRecord(MakeRecord(-5000)));
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(quits->count(), 1);
    EXPECT_EQ(AmountsInLedger(ledgerFile()), std::vector<std::int32_t>{-5000});
}

TEST_F(PanelTest, WindowManagerCloseRefusedWhenSaveFails) {
    Open();
    doc->m_bSaveOnChange = false;
    ASSERT_TRUE(doc->AddRecord(MakeRecord(10)));
    plat::faults::FailFrom(plat::faults::Op::Write, 1, plat::ERROR_DISK_FULL);
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(doc->Count(), 1u);
}

TEST_F(PanelTest, PanelDestructionSavesAgain) {
    Open();
    doc->m_bSaveOnChange = false;
    ASSERT_TRUE(doc->AddRecord(MakeRecord(321)));
    frame.reset();
    EXPECT_EQ(AmountsInLedger(ledgerFile()), std::vector<std::int32_t>{321});
    EXPECT_FALSE(doc->IsOpen());
}

TEST_F(PanelTest, CtrlSSavesEverythingAndKeepsRunning) {
    Open();
    doc->m_bSaveOnChange = false;
    ASSERT_TRUE(doc->AddRecord(MakeRecord(640)));
    QTest::keyClick(frame.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(AmountsInLedger(ledgerFile()), std::vector<std::int32_t>{640});
    EXPECT_EQ(quits->count(), 0);
    EXPECT_EQ(doc->Count(), 1u);
}

TEST_F(PanelTest, CtrlNAndCtrlOOpenNothingAndWriteNothing) {
    Open();
    doc->m_bSaveOnChange = false;
    ASSERT_TRUE(doc->AddRecord(MakeRecord(99)));
    const QByteArray before = ledgerFile();
    QTest::keyClick(frame.get(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(frame.get(), Qt::Key_O, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(ledgerFile(), before);
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_TRUE(tasks.calls.isEmpty());
    EXPECT_EQ(quits->count(), 0);
}

// --- The soft-key bar by platform ---------------------------------------------

struct PlatformRow {
    const char* name;
    int major;
    const char* type;
    bool bar;
};
void PrintTo(const PlatformRow& row, std::ostream* os) {
    *os << row.name;
}

class PanelPlatform : public PanelTest, public ::testing::WithParamInterface<PlatformRow> {};

TEST_P(PanelPlatform, SoftKeyBarOnlyOnPocketPc5) {
    const PlatformRow& row = GetParam();
    plat::SetPlatformIdentity(row.major, QString::fromUtf8(row.type));
    Open();
    EXPECT_EQ(frame->softKeyBar() != nullptr, row.bar);
    // The panel alone still reaches a command.
    PressDigit(3);
    EXPECT_EQ(tasks.calls, QStringList{u"summary 20000"_s});
}

const PlatformRow kPlatformRows[] = {
    {"PocketPc5", 5, "PocketPC", true},      {"PocketPc6", 6, "PocketPC", true},
    {"Major4", 4, "PocketPC", false},        {"OtherType", 5, "SmartPhone", false},
    {"LowerCaseType", 5, "pocketpc", false},
};

INSTANTIATE_TEST_SUITE_P(Panel, PanelPlatform, ::testing::ValuesIn(kPlatformRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(PanelTest, SoftKeyPopupsCarryExactlyMenu152) {
    Open();
    SoftKeyBar* bar = frame->softKeyBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->keyCount(), 2);
    EXPECT_EQ(bar->label(0), u"ファイル"_s);
    EXPECT_EQ(bar->label(1), u"データ"_s);
    const QStringList file = {u"終了=32795"_s,         u"-"_s,
                              u"バージョン=57664"_s,   u"-"_s,
                              u"整理=32791"_s,         u"項目編集=32792"_s,
                              u"オプション...=32793"_s};
    const QStringList data = {u"新規追加=32809"_s, u"定番追加=1044"_s, u"-"_s,
                              u"分類=32778"_s,     u"備考=32782"_s,    u"支払先=32779"_s,
                              u"支払方法=32780"_s, u"日付=32777"_s,    u"詳細表示=32815"_s};
    EXPECT_EQ(MenuLines(*bar->preparePopup(0)), file);
    EXPECT_EQ(MenuLines(*bar->preparePopup(1)), data);
}

// --- Input-mode hints -----------------------------------------------------------

class PanelHintsTest : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        regprobe::MakeHandset();
    }
    plat::DWORD Conversion() const {
        plat::DWORD conversion = 99, sentence = 0;
        plat::ImmGetConversionStatus(frame->panel(), &conversion, &sentence);
        return conversion;
    }
    static plat::DWORD Status22() { return regprobe::PhoneStatus(u"Status22"_s); }
};

TEST_F(PanelHintsTest, NumberModeAtStartAndAgainAfterHalfASecond) {
    QElapsedTimer clock; // started before the panel, so a slow start cannot shorten the wait
    clock.start();
    Open();
    ASSERT_TRUE(doc->m_bHarunoDevice);
    EXPECT_EQ(Conversion(), 0u); // half-width alphanumeric
    EXPECT_EQ(Status22() & 0xFFFF, 7u);
    plat::ImmSetConversionStatus(frame->panel(), 9, 0); // something switched to hiragana
    while (Conversion() != 0 && clock.elapsed() < 2000)
        QTest::qWait(20);
    EXPECT_EQ(Conversion(), 0u);
    EXPECT_GE(clock.elapsed(), 400); // the half-second one-shot timer, not at once
    plat::ImmSetConversionStatus(frame->panel(), 9, 0);
    QTest::qWait(700);
    EXPECT_EQ(Conversion(), 9u); // one shot only
}

TEST_F(PanelHintsTest, NumberModeAfterATaskEnds) {
    Open();
    QTest::qWait(600);
    plat::ImmSetConversionStatus(frame->panel(), 9, 0);
    Click(panel(), 32793);
    EXPECT_EQ(Conversion(), 0u);
}

} // namespace
