#include "DeviceTest.h"

#include "platform/Device.h"
#include "platform/Faults.h"
#include "platform/System.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

void MessageBoxRecorder::install() {
    plat::SetMessageBoxHandler([this](const QString& text, const QString& caption, unsigned flags) {
        return answer(text, caption, flags);
    });
}

void MessageBoxRecorder::uninstall() {
    plat::SetMessageBoxHandler({});
}

std::vector<QString> MessageBoxRecorder::texts() const {
    std::vector<QString> result;
    for (const auto& box : m_shown)
        result.push_back(box.text);
    return result;
}

int MessageBoxRecorder::answer(const QString& text, const QString& caption, unsigned flags) {
    m_shown.push_back({text, caption, flags});
    if (!m_answers.empty()) {
        const int a = m_answers.front();
        m_answers.pop_front();
        return a;
    }
    return (flags & 0xF) == plat::MB_YESNO ? m_yesNoDefault : plat::IDOK;
}

void DeviceTest::SetUp() {
    m_dir = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(m_dir->isValid());
    plat::InitDevice(m_dir->path());
    plat::faults::Reset();
    plat::SetClockForTest(kTestNow);
    boxes.install();
}

void DeviceTest::TearDown() {
    plat::faults::Reset();
    boxes.uninstall();
    plat::ReleaseNamedMutexes();
    plat::SetClockForTest(std::nullopt);
}

QByteArray DeviceTest::readHost(const QString& hostPath) {
    QFile f(hostPath);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void DeviceTest::writeFile(const QString& handsetPath, const QByteArray& bytes) const {
    const QString path = host(handsetPath);
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(f.write(bytes), bytes.size());
}

unsigned DeviceTest::fileMode(const QString& path) const {
    struct stat st {};
    if (::stat(QFile::encodeName(path.startsWith(u'\\') ? host(path) : path).constData(), &st) != 0)
        return 0;
    return st.st_mode & 0777;
}

QByteArray DeviceTest::fixture(const QString& name) {
    const QString path = QStringLiteral(TB_TEST_DATA_DIR "/") + name;
    if (!QFileInfo::exists(path)) ADD_FAILURE() << "missing fixture " << name.toStdString();
    return readHost(path);
}
