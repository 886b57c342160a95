// Start-up and ending: one program per handset, and data written however the
// program ends (termination signals in the event loop, a second start).
#include "support/Bytes.h"
#include "support/DeviceTest.h"

#include "app/CMyTALYApp.h"
#include "app/WindowLookup.h"
#include "ledger/CMyTALYDoc.h"
#include "platform/Device.h"
#include "platform/System.h"
#include "ui/main/CMainFrame.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <csignal>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

using bytes::AmountsInLedger;
using bytes::MakeRecord;

// --- In the test's own process -------------------------------------------------

class AppTest : public DeviceTest {};

struct SignalRow {
    const char* name;
    int signalNumber;
};
class AppSignals : public AppTest, public ::testing::WithParamInterface<SignalRow> {};

TEST_P(AppSignals, SignalSavesEntryAddedUnderSaveOnExit) {
    CMyTALYApp app;
    ASSERT_TRUE(app.InitInstance());
    CMyTALYDoc* doc = app.document();
    doc->m_bSaveOnChange = false;
    ASSERT_TRUE(doc->AddRecord(MakeRecord(2500)));
    const QString ledger = doc->DataPath(u"\\収支.DAT"_s);
    QSignalSpy handled(&app, &CMyTALYApp::signalHandled);
    ASSERT_EQ(::raise(GetParam().signalNumber), 0); // the handler only wakes the loop
    ASSERT_TRUE(handled.wait(5000));
    EXPECT_EQ(handled.first().at(0).toInt(), GetParam().signalNumber);
    EXPECT_TRUE(handled.first().at(1).toBool());
    EXPECT_EQ(AmountsInLedger(readFile(ledger)), std::vector<std::int32_t>{2500});
}

const SignalRow kSignalRows[] = {
    {"Term", SIGTERM},
    {"Int", SIGINT},
    {"Hup", SIGHUP},
};

INSTANTIATE_TEST_SUITE_P(App, AppSignals, ::testing::ValuesIn(kSignalRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(AppTest, StrangerOnLookupSocketRaisesNothingThenSecondStartBringsFirstForward) {
    CMyTALYApp first;
    ASSERT_TRUE(first.InitInstance());
    EXPECT_EQ(first.frame()->windowTitle(), u"TALY"_s);
    QSignalSpy raised(&first, &CMyTALYApp::raisedByAnotherStart);
    QLocalSocket stranger;
    stranger.connectToServer(tb::app::WindowLookupPath());
    ASSERT_TRUE(stranger.waitForConnected(2000));
    stranger.write("close everything\n");
    stranger.waitForBytesWritten(2000);
    EXPECT_FALSE(raised.wait(300));

    CMyTALYApp second;
    EXPECT_FALSE(second.InitInstance());
    EXPECT_EQ(second.frame(), nullptr);
    EXPECT_TRUE(raised.wait(5000));
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(AppTest, SecondStartWhileFirstStillStartingEndsSilently) {
    bool exists = false;
    ASSERT_TRUE(plat::CreateNamedMutex(u"Orvane Tallybook"_s, &exists)); // starting, no window
    ASSERT_FALSE(exists);
    CMyTALYApp second;
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(second.InitInstance());
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_TRUE(boxes.shown().empty());
}

// --- The built program as separate processes -------------------------------------

class ProgramTest : public DeviceTest {
protected:
    void TearDown() override {
        for (QProcess* p : {&first, &second})
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
        DeviceTest::TearDown();
    }
    void Start(QProcess& process) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"TALLYBOOK_DEVICE"_s, deviceDir());
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(TB_TALLYBOOK_BIN), {});
        ASSERT_TRUE(process.waitForStarted(5000));
    }
    // The first program is running once its window can be looked up.
    bool WaitUntilListening() {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 15000) {
            if (QFileInfo::exists(tb::app::WindowLookupPath())) return true;
            if (first.state() == QProcess::NotRunning) return false;
            QTest::qWait(50);
        }
        return false;
    }
    QProcess first;
    QProcess second;
};

TEST_F(ProgramTest, SecondProcessExitsZeroThenSigtermEndsTheFirstWithSettingsWritten) {
    Start(first);
    ASSERT_TRUE(WaitUntilListening()) << first.readAllStandardError().toStdString();
    Start(second);
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
    EXPECT_EQ(first.state(), QProcess::Running);

    first.terminate(); // SIGTERM
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
    const QByteArray text = readHost(plat::RegistryFilePath());
    EXPECT_TRUE(text.contains("Orvane\\TALY")) << text.toStdString();
    EXPECT_TRUE(text.contains("\"Options\"")) << text.toStdString();
}

} // namespace
