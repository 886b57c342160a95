// platform_helper <device dir> open <handset path> | mutex <name>: prints "held",
// "exists" or "error <code>", then keeps the file or mutex until its input closes.
#include "platform/Device.h"
#include "platform/Files.h"
#include "platform/System.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    plat::InitDevice(QString::fromLocal8Bit(argv[1]));
    const QString argument = QString::fromUtf8(argv[3]);
    plat::File file;
    bool exists = false;
    const bool ok = std::strcmp(argv[2], "open") == 0
                        ? file.open(argument, plat::GENERIC_READ, plat::FILE_SHARE_NONE,
                                    plat::Disposition::OpenAlways)
                        : plat::CreateNamedMutex(argument, &exists);
    if (ok)
        std::printf("%s\n", exists ? "exists" : "held");
    else
        std::printf("error %u\n", plat::GetLastError());
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}
