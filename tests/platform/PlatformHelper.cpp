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

namespace {

void Report(const char* text) {
    std::printf("%s\n", text);
    std::fflush(stdout);
}

void ReportError() {
    std::printf("error %u\n", plat::GetLastError());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    plat::InitDevice(QString::fromLocal8Bit(argv[1]));
    const std::string command = argv[2];
    const QString argument = QString::fromUtf8(argv[3]);
    plat::File file;
    if (command == "open") {
        if (file.open(argument, plat::GENERIC_READ, plat::FILE_SHARE_NONE,
                      plat::Disposition::OpenAlways))
            Report("held");
        else
            ReportError();
    } else if (command == "mutex") {
        bool exists = false;
        if (!plat::CreateNamedMutex(argument, &exists))
            ReportError();
        else
            Report(exists ? "exists" : "held");
    } else {
        return 2;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return 0;
}
