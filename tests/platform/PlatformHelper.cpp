// A second process for the cross-process tests. Usage:
//   platform_helper <device dir> open <handset path>   opens with no sharing
//   platform_helper <device dir> mutex <name>          creates the named mutex
// Prints "held", "exists" or "error <code>", then keeps what it got until its
// standard input closes.
#include "platform/Device.h"
#include "platform/Files.h"
#include "platform/System.h"

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    plat::InitDevice(QString::fromLocal8Bit(argv[1]));
    const std::string command = argv[2];
    const QString argument = QString::fromUtf8(argv[3]);
    plat::File file;
    bool exists = false;
    bool ok = false;
    if (command == "open")
        ok = file.open(argument, plat::GENERIC_READ, plat::FILE_SHARE_NONE,
                       plat::Disposition::OpenAlways);
    else if (command == "mutex")
        ok = plat::CreateNamedMutex(argument, &exists);
    else
        return 2;
    if (ok)
        std::printf("%s\n", exists ? "exists" : "held");
    else
        std::printf("error %u\n", plat::GetLastError());
    std::fflush(stdout);
    for (std::string line; std::getline(std::cin, line);) {
    }
    return 0;
}
