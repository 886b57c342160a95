// Timing of the summary dialog on a 1,000,000-entry ledger (offscreen): from
// the command to a painted month by category, the year of single entries
// (about 90,000 rows), a header tap re-sorting it, a drill-down and a back, and
// a change saved at once. Beside them, measured in the same run, the baseline:
// one pass over the same ledger summing the amounts. Each figure is the wall
// time and, in brackets, the CPU time of the thread: on a shared machine the
// wall time includes waiting for a core.
#include "ledger/CMyTALYDoc.h"
#include "platform/Device.h"
#include "platform/MessageBox.h"
#include "ui/framework/Dialog.h"
#include "ui/framework/Framework.h"
#include "ui/summary/Aggregation.h"
#include "ui/summary/CSummaryDlg.h"
#include "ui/summary/LedgerWalk.h"
#include "ui/summary/SummaryListModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTreeView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

using Clock = std::chrono::steady_clock;

#include <ctime>

namespace {

constexpr int kPasses = 5;
constexpr int kYears = 11; // about 90,000 entries a year

double CpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// A start point on both clocks.
struct Start {
    Clock::time_point wall = Clock::now();
    double cpu = CpuMs();
};

struct Timing {
    double wall = 0;
    double cpu = 0;
};

Timing Ms(const Start& from) {
    return {std::chrono::duration<double, std::milli>(Clock::now() - from.wall).count(),
            CpuMs() - from.cpu};
}

// The median pass by wall time.
Timing Median(std::vector<Timing> v) {
    std::sort(v.begin(), v.end(), [](const Timing& a, const Timing& b) { return a.wall < b.wall; });
    return v[v.size() / 2];
}

InOutRecord Entry(int n, int count) {
    InOutRecord r{};
    SetFieldText(r.category, QStringLiteral(u"分類%1").arg(n % 30));
    SetFieldText(r.remark, QStringLiteral(u"備考%1").arg(n % 8));
    SetFieldText(r.payee, QStringLiteral(u"支払先%1").arg(n % 12));
    SetFieldText(r.payMethod, QStringLiteral(u"現金"));
    const plat::TimeValue first = plat::TimeFromFields(2000, 1, 1);
    const plat::TimeValue span = plat::TimeFromFields(2000 + kYears, 1, 1) - first;
    r.date = plat::TimeValueToSystemTime(first + span * n / count + 9 * 3600);
    r.amount = (n % 10 == 0) ? -250000 : 100 + n % 5000;
    return r;
}

void Paint(QWidget& w) {
    QApplication::processEvents();
    w.repaint();
}

void Key(QWidget& target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&target, &press);
}

// Runs one summary; `inside` acts in it after it is shown and must end it.
// Returns the time from the construction to the first paint.
Timing OpenSummary(CMyTALYDoc& doc, std::uint32_t mode, plat::TimeValue base,
                   const std::function<void(CSummaryDlg&)>& inside) {
    const Start start;
    Timing opened;
    tb::ui::Dialog::SetModalHook([&](tb::ui::Dialog& d) {
        auto& dlg = static_cast<CSummaryDlg&>(d);
        Paint(dlg);
        opened = Ms(start);
        tb::ui::Dialog::SetModalHook({});
        inside(dlg);
    });
    CSummaryDlg dlg(&doc);
    dlg.m_dwMode = mode;
    dlg.m_keyRecord.date = plat::TimeValueToSystemTime(base);
    dlg.DoModal();
    return opened;
}

QTreeView* List(CSummaryDlg& dlg) {
    return dlg.findChild<QTreeView*>(QStringLiteral("1030"));
}

void Line(const char* what, Timing t, double target = 0) {
    std::printf("%-46s %9.2f ms (cpu %8.2f)", what, t.wall, t.cpu);
    if (target > 0)
        std::printf("   target < %5.0f ms  %s", target, t.wall < target ? "met" : "MISSED");
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tb::ui::InstallFramework(app);
    QTemporaryDir dir;
    plat::InitDevice(dir.path());
    plat::SetMessageBoxHandler([](const QString& text, const QString&, unsigned) {
        std::fprintf(stderr, "box: %s\n", qPrintable(text));
        return int{plat::IDOK};
    });
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000000;
    CMyTALYDoc doc;
    for (int n = 0; n < count; ++n)
        doc.AddRecord(Entry(n, count));
    doc.SaveAll();
    const plat::TimeValue base = plat::TimeFromFields(2005, 6, 15, 12);

    std::vector<Timing> walk, engineMonth, engineYear, month, year, sort, down, back, change;
    summary::SummarySettings settings;
    settings.flags = doc.m_dwFlags;
    summary::SummaryQuery query;
    query.keyRecord.date = plat::TimeValueToSystemTime(base);
    std::size_t yearRows = 0;
    for (int pass = 0; pass < kPasses; ++pass) {
        const Start w;
        std::int64_t sum = 0;
        summary::ForEachEntry(doc.Head(), [&sum](const InOutRecord& r) { sum += r.amount; });
        walk.push_back(Ms(w));
        if (sum == 42) std::printf(" ");
        query.mode = SUM_CATEGORY | PERIOD_MONTH;
        Start e;
        std::size_t shown = summary::ComputeSummary(doc.Head(), settings, query).rows.size();
        engineMonth.push_back(Ms(e));
        query.mode = SUM_DETAIL | PERIOD_YEAR;
        e = Start();
        shown += summary::ComputeSummary(doc.Head(), settings, query).rows.size();
        engineYear.push_back(Ms(e));
        if (shown == 42) std::printf(" ");

        doc.m_dwFlags = (doc.m_dwFlags & ~PERIOD_MASK) | PERIOD_MONTH;
        month.push_back(OpenSummary(doc, SUM_CATEGORY, base, [&](CSummaryDlg& dlg) {
            QTreeView* list = List(dlg);
            list->setCurrentIndex(dlg.listModel()->index(0, 0));
            Start t;
            Key(*list, Qt::Key_Return);
            Paint(dlg);
            down.push_back(Ms(t));
            t = Start();
            Key(*list, Qt::Key_4);
            Paint(dlg);
            back.push_back(Ms(t));
            dlg.EndDialog(tb::ui::IDOK);
        }));

        doc.m_dwFlags = (doc.m_dwFlags & ~PERIOD_MASK) | PERIOD_YEAR;
        year.push_back(OpenSummary(doc, SUM_DETAIL, base, [&](CSummaryDlg& dlg) {
            yearRows = static_cast<std::size_t>(dlg.listModel()->count());
            const Start t;
            emit List(dlg)->header()->sectionClicked(3);
            Paint(dlg);
            sort.push_back(Ms(t));
            // A change confirmed as it stands, saved at once (the whole file).
            tb::ui::Dialog::SetModalHook(
                [](tb::ui::Dialog& edit) { edit.EndDialog(tb::ui::IDOK); });
            List(dlg)->setCurrentIndex(dlg.listModel()->index(0, 0));
            const Start c;
            Key(*List(dlg), Qt::Key_3);
            Paint(dlg);
            change.push_back(Ms(c));
            tb::ui::Dialog::SetModalHook({});
            dlg.EndDialog(tb::ui::IDOK);
        }));
    }
    std::printf("summary dialog on %d entries, median of %d passes\n", count, kPasses);
    Line("baseline: one walk summing the amounts", Median(walk));
    Line("engine alone: month by category", Median(engineMonth));
    Line("engine alone: year of single entries", Median(engineYear));
    Line("command to painted month by category", Median(month), 50);
    std::printf("%-46s %9zu\n", "rows of the year of single entries", yearRows);
    Line("command to painted year of single entries", Median(year), 250);
    Line("header tap re-sorting the year", Median(sort), 150);
    Line("drill-down into a category", Median(down), 50);
    Line("back", Median(back), 50);
    Line("change saved at once (whole file)", Median(change), 500);
    return 0;
}
