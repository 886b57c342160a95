// Timing of the bulk operations on a 1,000,000-entry ledger spread over eleven
// years, in a temporary device folder, each beside a baseline measured in the
// same run: CSV export beside an atomic write of as many bytes, CSV import
// beside reading and splitting the same file into lines, and deleting one year
// beside a walk that only computes every entry's time.
#include "bench/Timing.h"
#include "ledger/CMyTALYDoc.h"
#include "ledger/CsvFile.h"
#include "platform/Device.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kEntries = 1000000;
constexpr int kPasses = 3;
const QString kCsv = QStringLiteral(u"\\My Documents\\all.CSV");

double Median(const std::function<void()>& prepare, const std::function<void()>& work) {
    return bench::Median(kPasses, prepare, work);
}

constexpr plat::TimeValue kFirstDay = 946684800; // 2000-01-01

InOutRecord Entry(int n) {
    InOutRecord r{};
    SetFieldText(r.category, QStringLiteral(u"食費%1").arg(n % 30));
    SetFieldText(r.remark, QStringLiteral(u"昼食"));
    SetFieldText(r.payee, QStringLiteral(u"食堂"));
    SetFieldText(r.payMethod, QStringLiteral(u"現金"));
    const std::int64_t day = static_cast<std::int64_t>(n) * 4018 / kEntries; // eleven years
    r.date = plat::TimeValueToSystemTime(kFirstDay + day * plat::kSecondsPerDay + 12 * 3600);
    r.amount = (n % 7 == 0) ? -250000 : 100 + n % 5000;
    return r;
}

std::unique_ptr<CMyTALYDoc> Ledger() {
    auto doc = std::make_unique<CMyTALYDoc>();
    for (int n = 0; n < kEntries; ++n)
        doc->AddRecord(Entry(n));
    return doc;
}

void Print(const char* what, double seconds, const char* baseline, double base) {
    std::printf("%-34s %7.3f s   %-38s %7.3f s\n", what, seconds, baseline, base);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir device;
    plat::InitDevice(device.path());
    plat::SetMessageBoxHandler([](const QString&, const QString&, unsigned) { return plat::IDOK; });
    const plat::TimeValue everything = kFirstDay + 4100 * plat::kSecondsPerDay;

    std::unique_ptr<CMyTALYDoc> doc = Ledger();
    int count = 0;
    const double exportTime =
        Median([] {}, [&] { doc->ExportCsv(kCsv, kFirstDay, everything, &count); });
    const std::int64_t csvBytes = plat::GetFileAttributes(kCsv).size;
    const QByteArray same(static_cast<qsizetype>(csvBytes), 'x');
    const double writeTime = Median([] {}, [&] {
        plat::AtomicFile f;
        f.open(QStringLiteral(u"\\My Documents\\plain.bin"));
        f.write(same.constData(), static_cast<std::uint32_t>(same.size()));
        f.commit();
    });
    Print("export 1,000,000 entries", exportTime, "atomic write of the same bytes", writeTime);

    const double importTime = Median([&] { doc = std::make_unique<CMyTALYDoc>(); },
                                     [&] { doc->ImportCsv(kCsv); });
    const double splitTime = Median([] {}, [] {
        plat::File f;
        f.open(kCsv, plat::GENERIC_READ, plat::FILE_SHARE_READ, plat::Disposition::OpenExisting);
        csv::LineSplitter lines(
            [&f](char* b, std::int64_t n) -> std::int64_t {
                std::uint32_t got = 0;
                return f.read(b, static_cast<std::uint32_t>(n), &got) ? got : -1;
            },
            true);
        QByteArray line;
        while (lines.next(&line) == csv::LineSplitter::Status::Line) {
        }
    });
    std::printf("(%lld bytes, %u entries imported)\n", static_cast<long long>(csvBytes), doc->Count());
    Print("import 1,000,000 lines", importTime, "read and split the lines only", splitTime);

    const plat::TimeValue yearStart = plat::TimeFromFields(2005, 1, 1);
    const plat::TimeValue yearEnd = plat::TimeFromFields(2005, 12, 31, 23, 59, 59);
    int deleted = 0;
    const double deleteTime = Median([&] { doc = Ledger(); },
                                     [&] { deleted = doc->DeletePeriod(yearStart, yearEnd); });
    const double walkTime = Median([] {}, [&] {
        int inYear = 0;
        for (const LedgerNode* n = doc->Head(); n; n = n->next) {
            const plat::TimeValue t = plat::SystemTimeToTimeValue(n->record.date);
            inYear += yearStart <= t && t <= yearEnd;
        }
        std::printf("(%d entries of 2005 left after the delete)\n", inYear);
    });
    std::printf("(%d entries deleted)\n", deleted);
    Print("delete one year from 1,000,000", deleteTime, "walk computing every entry's time", walkTime);
    doc->ReleaseData();
    return 0;
}
