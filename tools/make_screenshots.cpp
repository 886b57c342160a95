// Writes the README's pictures of the command panel, the entry dialogs, the
// summary screens and the maintenance dialogs:
//   make_screenshots <folder>
// on a scratch handset of its own, offscreen.
#include "ledger/CMyTALYDoc.h"
#include "platform/Device.h"
#include "platform/System.h"
#include "ledger/DataFiles.h"
#include "ledger/Lists.h"
#include "ui/entry/CAmountDlg.h"
#include "ui/entry/CDateSelectDlg.h"
#include "ui/entry/CEntryEditDlg.h"
#include "ui/entry/CNewEntryPageDlg.h"
#include "ui/entry/CTemplateListDlg.h"
#include "ui/framework/Framework.h"
#include "ui/framework/testing/Harness.h"
#include "ui/framework/testing/Screenshot.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/PanelTasks.h"
#include "ui/maintenance/CItemEditDlg.h"
#include "ui/maintenance/COptionPropSheet.h"
#include "ui/maintenance/COrganizeDlg.h"
#include "ui/maintenance/OrganizePeriod.h"
#include "ui/summary/CSummaryDlg.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

using namespace tb::ui::testing;

namespace {

// A month of a household, so that the summary pictures have something to show.
void AddSampleEntries(CMyTALYDoc& doc) {
    struct Sample {
        int day;
        const char16_t *category, *remark, *payee;
        int amount;
    };
    const Sample samples[] = {
        {1, u"給与", u"月給", u"会社", -280000},     {2, u"食費", u"食材", u"スーパー", 3480},
        {3, u"食費", u"外食", u"定食屋", 850},       {5, u"交通費", u"通勤", u"JR", 6200},
        {8, u"住居費", u"家賃", u"大家", 72000},     {9, u"食費", u"外食", u"喫茶店", 450},
        {12, u"光熱費", u"電気", u"電力会社", 5400}, {15, u"食費", u"食材", u"スーパー", 2960},
        {18, u"日用品", u"洗剤", u"薬局", 398},      {20, u"食費", u"外食", u"寿司屋", 3200},
    };
    for (const Sample& s : samples) {
        InOutRecord r{};
        SetFieldText(r.category, QString::fromUtf16(s.category));
        SetFieldText(r.remark, QString::fromUtf16(s.remark));
        SetFieldText(r.payee, QString::fromUtf16(s.payee));
        SetFieldText(r.payMethod, QStringLiteral(u"現金"));
        r.date = plat::TimeValueToSystemTime(plat::TimeFromFields(2008, 3, s.day, 12));
        r.amount = s.amount;
        doc.AddRecord(r);
    }
}

// Runs a summary and takes its pictures inside it, portrait and landscape.
bool SummaryShots(CMyTALYDoc& doc, std::uint32_t mode, bool detail,
                  const std::function<bool(tb::ui::Dialog&)>& inside) {
    bool ok = true;
    ModalDriver driver;
    driver.then([&](tb::ui::Dialog& dlg) {
        ok &= inside(dlg);
        PressKeyInWindow(dlg, Qt::Key_0);
    });
    CSummaryDlg dlg(&doc);
    dlg.m_dwMode = mode;
    dlg.m_keyRecord.date = plat::TimeValueToSystemTime(plat::TimeFromFields(2008, 3, 10, 12));
    dlg.m_bFilterMode = detail;
    dlg.DoModal();
    return ok;
}

bool Shot(QWidget& w, const QDir& out, const char* name, QSize logical = {}) {
    if (logical.isValid()) w.resize(logical * tb::ui::UiScale());
    QApplication::processEvents();
    return SaveScreenshot(w, out.filePath(QString::fromLatin1(name)));
}

// Opens `dlg`, takes its picture as `name` and cancels it.
bool DialogShot(tb::ui::Dialog& dlg, const QDir& out, const char* name) {
    bool ok = false;
    ModalDriver driver;
    driver.then([&](tb::ui::Dialog& shown) {
        ok = Shot(shown, out, name);
        shown.EndDialog(2);
    });
    dlg.DoModal();
    return ok;
}

void CheckAndType(tb::ui::Dialog& filter) {
    Click(filter, 1094);
    TypeText(filter, 1064, QStringLiteral(u"外食"));
    Click(filter, 1095);
    ClearText(filter, 1097);
    TypeText(filter, 1097, QStringLiteral("500"));
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (argc != 2) {
        std::fputs("usage: make_screenshots <folder>\n", stderr);
        return 2;
    }
    QTemporaryDir device;
    plat::InitDevice(device.path());
    QApplication app(argc, argv);
    tb::ui::InstallFramework(app);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());

    CMyTALYDoc doc;
    PanelTasks tasks;
    bool ok = true;
    {
        CMainFrame frame(doc, tasks);
        tb::ui::SetMainWindow(&frame);
        frame.show();
        ok &= SaveScreenshot(frame, out.filePath(QStringLiteral("panel.png")));

        CAmountDlg amount(&doc);
        amount.m_nOptions = CAmountDlg::HideFinish | CAmountDlg::HideBack;
        ModalDriver driver;
        driver.then([&](tb::ui::Dialog& dlg) {
            for (int id : {1008, 1009, 1018, 1025, 1012, 1017, 1026})
                Click(dlg, id); // 12000 + 500 =
            ok &= SaveScreenshot(dlg, out.filePath(QStringLiteral("calculator.png")));
            Click(dlg, 2);
        });
        amount.DoModal();

        AddSampleEntries(doc);
        const QSize portrait(240, 320), landscape(320, 240);
        ok &= SummaryShots(doc, SUM_CATEGORY, false, [&](tb::ui::Dialog& dlg) {
            return Shot(dlg, out, "summary-category.png", portrait) &&
                   Shot(dlg, out, "summary-category-landscape.png", landscape);
        });
        ok &= SummaryShots(doc, SUM_DETAIL, true, [&](tb::ui::Dialog& dlg) {
            bool shots = Shot(dlg, out, "summary-detail.png", portrait) &&
                         Shot(dlg, out, "summary-detail-landscape.png", landscape);
            dlg.resize(portrait * tb::ui::UiScale());
            ModalDriver inner;
            inner.then([&](tb::ui::Dialog& filter) {
                CheckAndType(filter);
                shots &= Shot(filter, out, "filter.png");
                PressKeyInWindow(filter, Qt::Key_Escape);
            });
            ChooseMenuItem(static_cast<tb::ui::Window&>(dlg), 32838);
            return shots;
        });
        ok &= SummaryShots(doc, SUM_CATEGORY, false, [&](tb::ui::Dialog& dlg) {
            bool shots = true;
            ModalDriver inner;
            inner.then([&](tb::ui::Dialog& series) {
                shots &= Shot(series, out, "time-series.png", portrait);
                PressKeyInWindow(series, Qt::Key_Escape);
            });
            ChooseMenuItem(static_cast<tb::ui::Window&>(dlg), 32921);
            return shots;
        });

        COrganizeDlg organize(&doc);
        const auto period = maintenance::DefaultOrganizePeriod(plat::CurrentTimeValue(), 1);
        organize.m_timeStart = period.start;
        organize.m_timeEnd = period.end;
        plat::SetPlatformIdentity(4, QStringLiteral("PocketPC")); // its own buttons
        driver.then([&](tb::ui::Dialog& dlg) {
            ok &= Shot(dlg, out, "organize.png");
            dlg.EndDialog(2);
        });
        organize.DoModal();

        COptionPropSheet options;
        options.SetValues(ReadOptionValues(doc));
        driver.then([&](tb::ui::Dialog& dlg) {
            const char* names[] = {"options-data.png", "options-file.png", "options-term.png",
                                   "options-display.png"};
            for (int page = 0; page < options.pageCount(); ++page) {
                options.SetActivePage(page);
                ok &= Shot(dlg, out, names[page]);
            }
            dlg.EndDialog(2);
        });
        options.DoModal();

        // The entry and list dialogs with their soft-key bars (F1, F2).
        plat::SetPlatformIdentity(5, QStringLiteral("PocketPC"));
        WriteListFile(CategoryListPath(doc), {QStringLiteral(u"食費"), QStringLiteral(u"交通費"),
                                              QStringLiteral(u"住居費"), QStringLiteral(u"給与")});
        QString remarks;
        if (doc.GetDataPath(&remarks, datafile::kRemarkPair))
            WriteListFile(remarks, {QStringLiteral(u"外食"), QStringLiteral(u"食材")});
        const plat::TimeValue day = plat::TimeFromFields(2008, 3, 20, 12);
        CNewEntryPageDlg page(&doc);
        page.m_strListFileA = datafile::kCategories;
        page.m_strListFileB = datafile::kRemarkPair;
        page.m_date = day;
        ok &= DialogShot(page, out, "new-entry.png");

        CEntryEditDlg edit(&doc);
        edit.m_record = doc.Head()->record;
        edit.m_nMode = CEntryEditDlg::ModeChange;
        ok &= DialogShot(edit, out, "entry-edit.png");

        doc.AddTemplate(QStringLiteral(u"昼ごはん"), doc.Head()->record);
        doc.AddTemplate(QStringLiteral(u"通勤定期"), doc.Head()->record);
        CTemplateListDlg templates(&doc);
        ok &= DialogShot(templates, out, "template-list.png");

        CDateSelectDlg date;
        date.m_date = plat::TimeValueToSystemTime(day);
        ok &= DialogShot(date, out, "date-select.png");

        CItemEditDlg items(&doc);
        ok &= DialogShot(items, out, "item-edit.png");
        doc.ReleaseData(); // nothing to keep: a scratch handset
    }
    return ok ? 0 : 1;
}
