// Platform identity and input-method status.
#include "support/DeviceTest.h"

#include "platform/Device.h"
#include "platform/System.h"

#include <QObject>

using namespace plat;
using namespace Qt::StringLiterals;

namespace {

using SystemTest = DeviceTest;

TEST_F(SystemTest, IdentityFromTheEnvironmentOrTheDefault) {
    struct Row {
        QByteArray value;
        int major;
        QString type;
    };
    const Row rows[] = {
        {"Smartphone:4", 4, u"Smartphone"_s},
        {"PocketPC:6", 6, u"PocketPC"_s},
        {"nonsense", 5, u"PocketPC"_s},
        {":7", 5, u"PocketPC"_s},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value.constData());
        SetPlatformIdentity(3, u"Other"_s);
        qputenv("TALLYBOOK_DEVICE", QFile::encodeName(deviceDir()));
        qputenv("TALLYBOOK_PLATFORM", row.value);
        InitDeviceFromEnvironment();
        EXPECT_EQ(GetOsMajorVersion(), row.major);
        EXPECT_EQ(GetPlatformType(), row.type);
        EXPECT_EQ(DeviceFolder(), QFileInfo(deviceDir()).canonicalFilePath());
    }
    qunsetenv("TALLYBOOK_PLATFORM");
    qunsetenv("TALLYBOOK_DEVICE");
}

TEST_F(SystemTest, ImeStatusKeptPerWindowAndPanelStateUntilInitDevice) {
    QObject first, second;
    SetInputPanelState(1);
    EXPECT_EQ(GetInputPanelState(), 1);
    ASSERT_TRUE(ImmSetConversionStatus(&first, 9, 1));
    ASSERT_TRUE(ImmSetConversionStatus(&second, 3, 0));
    DWORD conversion = 0, sentence = 0;
    ASSERT_TRUE(ImmGetConversionStatus(&first, &conversion, &sentence));
    EXPECT_EQ(conversion, 9u);
    EXPECT_EQ(sentence, 1u);
    ASSERT_TRUE(ImmGetConversionStatus(&second, &conversion, &sentence));
    EXPECT_EQ(conversion, 3u);
    InitDevice(deviceDir());
    ASSERT_TRUE(ImmGetConversionStatus(&first, &conversion, &sentence));
    EXPECT_EQ(conversion, 0u);
    EXPECT_EQ(GetInputPanelState(), 0);
}

} // namespace
