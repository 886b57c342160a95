// The main window and the command panel: every command by button, digit key
// and soft-key menu; the ways to end and to save; the input-mode hints.
#include "support/Bytes.h"
#include "support/DeviceTest.h"
#include "support/RegistryProbe.h"

#include "ledger/CMyTALYDoc.h"
#include "platform/Faults.h"
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
#include <QSignalSpy>
#include <QTest>
#include <algorithm>

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

// Records which task the panel opened, whether it was hidden then, and whether
// a task that takes a date got another time than the (fixed) test clock's.
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
    std::uint32_t periodSeen = 0;

private:
    void record(QWidget* owner, const QString& what,
                plat::TimeValue date = plat::CurrentTimeValue()) {
        calls << what + (owner->isVisible() ? u""_s : u" (hidden)"_s) +
                     (date == plat::CurrentTimeValue() ? u""_s : u" at another time"_s);
    }
};

class PanelTest : public DeviceTest {
public:
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
    QAction* MenuItem(int command) const {
        for (int key : {0, 1})
            if (QAction* a = frame->softKeyBar()->preparePopup(key)->findChild<QAction*>(
                    QString::number(command)))
                return a;
        return nullptr;
    }
    QByteArray ledgerFile() const { return readFile(doc->DataPath(u"\\収支.DAT"_s)); }
    void PressDigit(int digit) { PressKeyInWindow(panel(), Qt::Key_0 + digit); }
    bool Ctrl(int key) {
        QTest::keyClick(frame.get(), Qt::Key(key), Qt::ControlModifier);
        return true;
    }

    RecordingTasks tasks;
    std::unique_ptr<CMyTALYDoc> doc;
    std::unique_ptr<CMainFrame> frame;
    std::unique_ptr<QSignalSpy> quits;
};

// Every task by button, digit key and menu item; the detail period; the version box.
TEST_F(PanelTest, ButtonDigitKeyAndMenuOpenTheTask) {
    // Command, digit key (-1: none), the task opened.
    const std::tuple<int, int, const char*> rows[] = {
        {32809, 1, "new-entry"},     {1044, 2, "template"},
        {32778, 3, "summary 20000"}, {32782, 4, "summary 40000"},
        {32779, 5, "summary 80000"}, {32780, 6, "summary 100000"},
        {32777, 7, "summary 10000"}, {32815, 8, "summary 8000 detail"},
        {32791, -1, "organize"},     {32792, -1, "item-edit \\分類.DAT (hidden)"},
        {32793, -1, "options"},
    };
    Open();
    for (const auto& [command, digit, call] : rows) {
        tasks.calls.clear();
        Click(panel(), command);
        if (digit >= 0) PressDigit(digit);
        MenuItem(command)->trigger();
        EXPECT_EQ(tasks.calls,
                  QStringList(QList<QString>(digit >= 0 ? 3 : 2, QString::fromUtf8(call))));
        EXPECT_TRUE(panel().isVisible()) << call; // shown again after the task
    }
    EXPECT_EQ(quits->count(), 0);
    // The detail list turns a year into a month only when the option asks for it.
    const std::uint32_t detailPeriods[][2] = {
        {OPT_DETAIL_YEAR_TO_MONTH | PERIOD_YEAR, PERIOD_MONTH},
        {PERIOD_YEAR, PERIOD_YEAR},
        {OPT_DETAIL_YEAR_TO_MONTH | PERIOD_WEEK, PERIOD_WEEK}};
    for (const auto& [flags, period] : detailPeriods) {
        doc->m_dwFlags = flags;
        PressDigit(8); // the period seen by the task is kept afterwards
        EXPECT_EQ(std::pair(tasks.periodSeen, doc->m_dwFlags & PERIOD_MASK),
                  std::pair(period, period));
    }
    ModalDriver driver;
    driver.then([](Dialog& box) {
        const auto version = [](const QLabel* l) { return l->text() == u"Tallybook Ver 1.52"_s; };
        EXPECT_TRUE(std::ranges::any_of(box.findChildren<QLabel*>(), version));
        Click(box, 1);
    });
    Click(panel(), 57664);
    EXPECT_EQ(driver.pending(), 0);
}

// A way out; false when it was refused.
using Leave = bool (*)(PanelTest&);
const Leave kDestruction = [](PanelTest& t) { return t.frame.reset(), true; };

using EndRow = std::tuple<const char*, Leave, bool, bool>; // name, way out, disk full, end asked

class PanelEnd : public PanelTest, public ::testing::WithParamInterface<EndRow> {};

// Every way out saves entry, template and settings; on a full disk the program
// stays open with the entry and ends once there is space; nothing is written twice.
TEST_P(PanelEnd, SavesTheEntryOrStaysOpenWithIt) {
    const auto& [name, leave, diskFull, ends] = GetParam();
    Open();
    doc->m_bSaveOnChange = false;
    ASSERT_TRUE(doc->AddRecord(bytes::MakeRecord(640)));
    ASSERT_EQ(doc->AddTemplate(u"家賃"_s, InOutRecord{}), 0);
    if (diskFull) {
        plat::faults::FailFrom(plat::faults::Op::Write, 1, plat::ERROR_DISK_FULL);
        leave(*this);
        // No end asked, the save told the person, a close refused, the entry kept.
        EXPECT_EQ(std::tuple(quits->count(), boxes.shown().empty(), frame->isVisible(),
                             doc->IsOpen(), doc->Count()),
                  std::tuple(0, false, true, true, 1u));
        plat::faults::Reset(); // space freed: the same way out again
    }
    EXPECT_TRUE(leave(*this));
    EXPECT_EQ(bytes::AmountsInLedger(ledgerFile()), std::vector<std::int32_t>{640});
    const QByteArray templates = readFile(doc->DataPath(u"\\TEIBAN.DAT"_s));
    EXPECT_TRUE(templates.contains(QByteArray(reinterpret_cast<const char*>(u"家賃"), 4)));
    EXPECT_EQ(regprobe::Setting(u"Options"_s).type, plat::REG_BINARY);
    // An end asked or not; the document released once saved.
    EXPECT_EQ(std::tuple(quits->count(), doc->IsOpen()),
              std::tuple(ends ? 1 : 0, !ends && leave != kDestruction));
    if (!ends) return;
    EXPECT_EQ(doc->Count(), 0u);
    frame.reset(); // the panel saves once more, with nothing left to write
    EXPECT_EQ(boxes.shown().empty(), !diskFull);
    EXPECT_EQ(readFile(doc->DataPath(u"\\TEIBAN.DAT"_s)), templates);
}

const EndRow kEndRows[] = {
    {"ExitMenu", [](PanelTest& t) { return t.MenuItem(32795)->trigger(), true; }, false, true},
    {"CtrlQ", [](PanelTest& t) { return t.Ctrl(Qt::Key_Q); }, false, true},
    {"CtrlSKeepsRunning", [](PanelTest& t) { return t.Ctrl(Qt::Key_S); }, false, false},
    {"PanelDestruction", kDestruction, false, false},
    {"ZeroOnAFullDisk", [](PanelTest& t) { return t.PressDigit(0), true; }, true, true},
    {"CloseOnAFullDisk", [](PanelTest& t) { return t.frame->close(); }, true, true},
};

INSTANTIATE_TEST_SUITE_P(Panel, PanelEnd, ::testing::ValuesIn(kEndRows),
                         [](const auto& row) { return std::string(std::get<0>(row.param)); });

// Keys alone, no soft keys: number mode at the start, after the one-shot timer and
// after a task; 9 only moves the focus; keypad digits, Ctrl+N, Ctrl+O do nothing.
TEST_F(PanelTest, KeysAloneAndTheNumberMode) {
    regprobe::MakeHandset();
    plat::SetPlatformIdentity(4, u"PocketPC"_s); // without a soft-key bar
    const auto conversion = [this] {
        plat::DWORD mode = 99, sentence = 0;
        plat::ImmGetConversionStatus(frame->panel(), &mode, &sentence);
        return mode;
    };
    QElapsedTimer clock; // started before the panel, so a slow start cannot shorten the wait
    clock.start();
    Open();
    EXPECT_EQ(frame->softKeyBar(), nullptr);
    EXPECT_EQ(conversion(), 0u); // half-width alphanumeric
    EXPECT_EQ(regprobe::PhoneStatus(u"Status22"_s) & 0xFFFF, 7u);
    plat::ImmSetConversionStatus(frame->panel(), 9, 0); // something switched to hiragana
    while (conversion() != 0 && clock.elapsed() < 2000)
        QTest::qWait(20);
    EXPECT_EQ(conversion(), 0u);
    EXPECT_GE(clock.elapsed(), 400); // the timer, not at once
    plat::ImmSetConversionStatus(frame->panel(), 9, 0);
    QTest::qWait(700);
    EXPECT_EQ(conversion(), 9u); // one shot only
    doc->m_bSaveOnChange = false;
    ASSERT_TRUE(doc->AddRecord(bytes::MakeRecord(99)));
    const QByteArray before = ledgerFile();
    PressDigit(9);
    EXPECT_EQ(panel().FocusedControlId(), 32791);
    for (int key = Qt::Key_0; key <= Qt::Key_9; ++key)
        PressKeyInWindow(panel(), key, Qt::KeypadModifier);
    Ctrl(Qt::Key_N);
    Ctrl(Qt::Key_O);
    QApplication::processEvents();
    EXPECT_EQ(ledgerFile(), before);
    EXPECT_TRUE(tasks.calls.isEmpty() && boxes.shown().empty());
    EXPECT_EQ(quits->count(), 0);
    EXPECT_FALSE(IsShown(panel(), 57666) || IsEnabled(panel(), 57666)); // help is dead
    for (int key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space})           // オプション: a task,
        PressKeyInWindow(panel(), key);                                 // then number mode again
    EXPECT_EQ(tasks.calls, QStringList{u"options"_s});
    EXPECT_EQ(conversion(), 0u);
}

} // namespace
