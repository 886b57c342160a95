// Timing of the ledger file on a 1,000,000-entry ledger in a temporary device
// folder: a load beside a plain read() of the same file into a new buffer, a
// full save, and the append-only save of one entry (also on a small ledger, to
// show that its cost does not grow with the ledger).
#include "bench/Timing.h"
#include "ledger/CMyTALYDoc.h"
#include "ledger/DataFiles.h"
#include "platform/Device.h"
#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kPasses = 5;

double Median(const std::function<void()>& prepare, const std::function<void()>& work) {
    return bench::Median(kPasses, prepare, work);
}

InOutRecord Entry(int n) {
    InOutRecord r{};
    SetFieldText(r.category, QStringLiteral(u"食費%1").arg(n % 30));
    SetFieldText(r.remark, QStringLiteral(u"昼食"));
    SetFieldText(r.payee, QStringLiteral(u"食堂"));
    SetFieldText(r.payMethod, QStringLiteral(u"現金"));
    r.date = {static_cast<std::uint16_t>(2000 + n % 10),
              static_cast<std::uint16_t>(1 + n % 12),
              0,
              static_cast<std::uint16_t>(1 + n % 28),
              12,
              0,
              0,
              0};
    r.amount = (n % 7 == 0) ? -250000 : 100 + n % 5000;
    return r;
}

// Reads the whole file into a freshly allocated buffer of its size, touching
// every page as a load must; the cost a load is measured against.
void PlainRead(const QByteArray& hostPath) {
    const int fd = ::open(hostPath.constData(), O_RDONLY);
    struct stat st {};
    ::fstat(fd, &st);
    auto* buffer = static_cast<char*>(std::malloc(static_cast<std::size_t>(st.st_size)));
    std::size_t done = 0;
    while (done < static_cast<std::size_t>(st.st_size)) {
        const ssize_t n = ::read(fd, buffer + done, static_cast<std::size_t>(st.st_size) - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    volatile char sink = buffer[done / 2];
    (void)sink;
    std::free(buffer);
}

void Fill(CMyTALYDoc& doc, int count) {
    for (int n = 0; n < count; ++n)
        doc.AddRecord(Entry(n));
    doc.SaveLedger();
}

double AppendOne(CMyTALYDoc& doc) {
    int n = 0;
    return Median([] {},
                  [&] {
                      doc.AddRecord(Entry(++n));
                      doc.SaveLedger();
                  });
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    plat::InitDevice(dir.path());
    plat::SetMessageBoxHandler([](const QString& text, const QString&, unsigned) {
        std::fprintf(stderr, "box: %s\n", qPrintable(text));
        return int{plat::IDOK};
    });

    CMyTALYDoc doc;
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
    Fill(doc, count);
    const QByteArray hostPath = plat::ToHostPath(doc.DataPath(datafile::kLedger)).toLocal8Bit();
    struct stat st {};
    ::stat(hostPath.constData(), &st);

    const double plain = Median([] {}, [&] { PlainRead(hostPath); });
    const double load = Median([&] { doc.ReleaseData(); }, [&] { doc.OpenData(); });
    const double full = Median([&] { doc.DeleteRecord(static_cast<std::int32_t>(doc.Count())); },
                               [&] { doc.SaveLedger(); });
    const double append = AppendOne(doc);

    QTemporaryDir smallDir; // a 1,000-entry ledger on a handset of its own
    plat::InitDevice(smallDir.path());
    CMyTALYDoc small;
    Fill(small, 1000);
    const double appendSmall = AppendOne(small);

    std::printf("ledger of %d entries, file %lld bytes, nodes %zu bytes each (median of %d)\n",
                count, static_cast<long long>(st.st_size), sizeof(LedgerNode), kPasses);
    std::printf("plain read() into a new buffer: %8.3f s\n", plain);
    std::printf("load (OpenData):                %8.3f s  = %.2f x plain read (target <= 2)\n",
                load, load / plain);
    std::printf("full save:                      %8.3f s\n", full);
    std::printf("add one entry + append save:    %8.6f s  (1,000 entries: %8.6f s)\n", append,
                appendSmall);
    return 0;
}
