#include "fuzz/FuzzDevice.h"

#include "platform/Device.h"
#include "platform/MessageBox.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace fuzz {

void UseDevice() {
    static std::unique_ptr<QTemporaryDir> dir; // removed when the run ends
    if (dir) return;
    // In memory where possible: every save syncs, and a disk would make that the whole cost.
    const bool shm = QFileInfo(QStringLiteral("/dev/shm")).isWritable();
    dir = shm ? std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/tallybook-fuzz-XXXXXX"))
              : std::make_unique<QTemporaryDir>();
    plat::InitDevice(dir->path());
    plat::SetMessageBoxHandler([](const QString&, const QString&, unsigned) { return plat::IDOK; });
}

QString Host(const QString& handsetPath) {
    return plat::ToHostPath(handsetPath);
}

void WriteHostFile(const QString& hostPath, const QByteArray& bytes) {
    QFile file(hostPath);
    Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                file.write(bytes) == bytes.size(),
            "the fuzz input could not be written to the device");
}

QString Utf16Units(const std::uint8_t* data, std::size_t size) {
    QString text(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size / 2 * 2);
    return text;
}

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::abort();
}

} // namespace fuzz
