// Start-up and ending: one program per handset, data written however it ends.
#include "support/Bytes.h"
#include "support/DeviceTest.h"

#include "app/CMyTALYApp.h"
#include "app/WindowLookup.h"
#include "ledger/CMyTALYDoc.h"
#include "platform/Device.h"
#include "platform/System.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <csignal>

using namespace Qt::Literals::StringLiterals;

namespace {

class AppSignals : public DeviceTest, public ::testing::WithParamInterface<int> {};

TEST_P(AppSignals, SignalSavesEntryAddedUnderSaveOnExit) {
    CMyTALYApp app;
    ASSERT_TRUE(app.InitInstance());
    CMyTALYDoc* doc = app.document();
    doc->m_bSaveOnChange = false;
    ASSERT_TRUE(doc->AddRecord(bytes::MakeRecord(2500)));
    QSignalSpy handled(&app, &CMyTALYApp::signalHandled);
    ASSERT_EQ(::raise(GetParam()), 0); // the handler only wakes the loop
    ASSERT_TRUE(handled.wait(5000));
    EXPECT_EQ(handled.first(), (QVariantList{GetParam(), true}));
    EXPECT_EQ(bytes::AmountsInLedger(readFile(doc->DataPath(u"\\収支.DAT"_s))),
              std::vector<std::int32_t>{2500});
}

INSTANTIATE_TEST_SUITE_P(App, AppSignals, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

using AppTest = DeviceTest;

// A start that finds the first still starting (mutex held, no window yet) ends at once;
// once the first listens, a stranger raises nothing and a second start does. No box.
TEST_F(AppTest, SecondStartEndsSilentlyAndBringsTheFirstForwardOnceItListens) {
    bool exists = true;
    ASSERT_TRUE(plat::CreateNamedMutex(u"Orvane Tallybook"_s, &exists) && !exists);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(CMyTALYApp().InitInstance());
    EXPECT_LT(clock.elapsed(), 3000);
    plat::ReleaseNamedMutexes();

    CMyTALYApp first;
    ASSERT_TRUE(first.InitInstance());
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

// The built program as separate processes (a QProcess kills its program when destroyed).
TEST_F(AppTest, SecondProcessExitsZeroThenSigtermEndsTheFirstWithSettingsWritten) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"TALLYBOOK_DEVICE"_s, deviceDir());
    QProcess first, second;
    first.setProcessEnvironment(env);
    second.setProcessEnvironment(env);
    first.start(QStringLiteral(TB_TALLYBOOK_BIN));
    // The first program is running once its window can be looked up.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return QFileInfo::exists(tb::app::WindowLookupPath()); }, 15000));
    ASSERT_EQ(first.state(), QProcess::Running) << first.readAllStandardError().toStdString();
    second.start(QStringLiteral(TB_TALLYBOOK_BIN));
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(std::tuple(second.exitStatus(), second.exitCode(), second.readAllStandardOutput()),
              std::tuple(QProcess::NormalExit, 0, QByteArray()));

    first.terminate(); // SIGTERM
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(std::pair(first.exitStatus(), first.exitCode()), std::pair(QProcess::NormalExit, 0));
    const QByteArray text = readHost(plat::RegistryFilePath());
    EXPECT_TRUE(text.contains("Orvane\\TALY") && text.contains("\"Options\"")) << text.data();
}

} // namespace
