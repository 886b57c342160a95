// The summary, its filter and its time series driven by keys as on the handset.
#include "support/DocTest.h"
#include "support/ModalRunner.h"

#include "platform/Faults.h"
#include "platform/System.h"
#include "ui/framework/Bars.h"
#include "ui/framework/Framework.h"
#include "ui/framework/testing/Harness.h"
#include "ui/summary/CSummaryDlg.h"

#include <QDateTimeEdit>
#include <QHeaderView>
#include <QMenu>
#include <QTreeView>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << s.toStdString();
}

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kPeriodText = 1029, kList = 1030, kExpenseTotal = 1039, kChange = 1040,
              kDelete = 1041, kIncomeTotal = 1042, kBack = 1045, kBalance = 1138, kLabel = 1089;
constexpr int kAmount = 1055; // in the entry edit dialog

// March 2008 around the test clock (Monday 10 March), one February entry.
bytes::Entry E(int month, int day, const QString& category, const QString& remark,
               std::int32_t amount, const QString& payee = {}) {
    bytes::Entry e{.category = category, .remark = remark, .payee = payee, .amount = amount};
    e.month = std::uint16_t(month), e.day = std::uint16_t(day);
    return e;
}
const bytes::Entry kLedger[] = {
    E(3, 5, u"食費"_s, u"外食"_s, 500, u"A店"_s),
    E(3, 8, u"食費"_s, u"弁当"_s, 300),
    E(3, 10, u"交通費"_s, u"通勤"_s, 420),
    E(3, 1, u"給与"_s, u"月給"_s, -250000, u"会社"_s),
    E(3, 15, u"食費"_s, {}, 200), // imported without a remark
    E(2, 20, u"食費"_s, u"外食"_s, 1000),
};

// Keys in turn to the window's focused control, active window or not.
void Key(Dialog& dlg, std::same_as<Qt::Key> auto... keys) {
    for (int key : {int(keys)...})
        PressKey(dlg.focusWidget() ? *dlg.focusWidget() : dlg, key);
}

// What the list shows: the titles, then one line per row, columns joined by "|".
QStringList Lines(const Dialog& dlg, bool titles = false) {
    const QAbstractItemModel* model = ControlAs<QTreeView>(dlg, kList)->model();
    QStringList lines;
    for (int r = titles ? -1 : 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells << (r < 0 ? model->headerData(c, Qt::Horizontal) : model->index(r, c).data())
                         .toString();
        lines << cells.join(u'|');
    }
    return lines;
}

// The nested entry edit: the amount typed over, the right soft key; then a full disk.
DialogAction ChangeAmountTo(const QString& amount, bool diskFull = false) {
    return [amount, diskFull](Dialog& edit) {
        ClearText(edit, kAmount);
        TypeText(edit, kAmount, amount);
        PressSoftKey(edit, 1);
        if (diskFull) plat::faults::FailFrom(plat::faults::Op::Open, 1, plat::ERROR_DISK_FULL);
    };
}

// A menu item by keys alone: F1 or F2, Down past the separators, Enter.
void MenuByKeys(Dialog& dlg, int softKey, int downs) {
    PressKeyInWindow(dlg, softKey);
    for (int i = 0; i < downs; ++i)
        PressKeyInWindow(dlg, Qt::Key_Down);
    PressKeyInWindow(dlg, Qt::Key_Return);
}

// Whether the right soft key's pop-up shows the line (" [x]" when checked).
bool MenuHas(Dialog& dlg, const QString& line) {
    return MenuLines(*dlg.softKeyBar()->preparePopup(1)).contains(line);
}

class SummaryDlgTest : public OpenDocTest {
protected:
    void SetUp() override {
        OpenDocTest::SetUp();
        plat::SetPlatformIdentity(5, u"PocketPC"_s);
        for (const bytes::Entry& e : kLedger)
            Add(e);
    }
    void Add(const bytes::Entry& e) { ASSERT_TRUE(doc->AddRecord(record(e))); }
    // A summary as the panel opens it: `inside` acts, 0 ends; `nested` in order.
    void Run(std::uint32_t mode, const std::function<void(CSummaryDlg&)>& inside,
             std::vector<DialogAction> nested = {}) {
        CSummaryDlg dlg(doc.get());
        dlg.m_dwMode = mode;
        dlg.m_keyRecord.date = plat::TimeValueToSystemTime(kTestNow);
        dlg.m_bFilterMode = mode == SUM_DETAIL; // the panel's detail screen
        const auto drive = [&](Dialog& d) {
            inside(static_cast<CSummaryDlg&>(d));
            if (d.IsRunning()) Key(d, Qt::Key_0); // 0 ends the summary
        };
        const ModalRun run = RunModal(dlg, drive, std::move(nested));
        EXPECT_EQ(std::pair(run.result, run.leftOpen), std::pair(int(IDOK), 0));
    }
};

} // namespace

// The empty remark row leads to the entries without one. A change is saved at
// once, or shown as an error and kept unsaved; a long level label is cut in the
// middle (whole as tool tip). The time series' chosen row sets the period.
TEST_F(SummaryDlgTest, CategoryRemarkEntriesChangedDeletedBackTwiceAndTheTimeSeries) {
    Add(E(3, 20, u"とても長い分類の名前ですよ十五"_s, u"こちらも長い備考の名前です十五"_s, 10));
    const auto walk = [this](CSummaryDlg& dlg) {
        EXPECT_FALSE(IsEnabled(dlg, kBack));
        Key(dlg, Qt::Key_3, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return); // 3: no edit here
        EXPECT_EQ(Lines(dlg), (QStringList{u"|200"_s, u"外食|500"_s, u"弁当|300"_s}));
        Key(dlg, Qt::Key_Return);
        EXPECT_EQ(Lines(dlg), QStringList{u"08/03/15|食費||200"_s});
        Key(dlg, Qt::Key_4, Qt::Key_Down, Qt::Key_Return);
        EXPECT_EQ(Text(dlg, kLabel), u"分類 - 食費 - 外食"_s);
        EXPECT_EQ(Lines(dlg, true),
                  (QStringList{u"月日|分類|備考|金額"_s, u"08/03/05|食費|外食|500"_s}));
        EXPECT_TRUE(IsShown(dlg, kChange) && IsShown(dlg, kDelete));
        Key(dlg, Qt::Key_3);
        EXPECT_EQ(Lines(dlg), QStringList{u"08/03/05|食費|外食|800"_s});
        EXPECT_EQ(Text(dlg, kExpenseTotal), u"支出合計：800円"_s);
        Key(dlg, Qt::Key_3);
        EXPECT_EQ(Lines(dlg), QStringList{u"08/03/05|食費|外食|900"_s});
        EXPECT_EQ(bytes::AmountsInLedger(readFile(ledgerPath())),
                  (std::vector<std::int32_t>{800, 300, 420, -250000, 200, 1000, 10}));
        EXPECT_TRUE(doc->IsDirty());
        plat::faults::Reset();
        MenuByKeys(dlg, Qt::Key_F1, 3); // データ: 削除
        EXPECT_TRUE(Lines(dlg).isEmpty());
        EXPECT_EQ(Text(dlg, kExpenseTotal), u"支出合計：0円"_s);
        Key(dlg, Qt::Key_4);
        EXPECT_EQ(Text(dlg, kLabel), u"分類 - 食費"_s);
        EXPECT_FALSE(IsShown(dlg, kChange));
        EXPECT_TRUE(IsEnabled(dlg, kBack));
        Key(dlg, Qt::Key_4); // the label back to "分類": see the tool tip below
        EXPECT_FALSE(IsEnabled(dlg, kBack));
        Key(dlg, Qt::Key_Home, Qt::Key_Return, Qt::Key_Return);
        EXPECT_TRUE(Text(dlg, kLabel).contains(u'…'));
        EXPECT_EQ(Control(dlg, kLabel)->toolTip(),
                  u"分類 - とても長い分類の名前ですよ十五 - こちらも長い備考の名前です十五"_s);
        Key(dlg, Qt::Key_4, Qt::Key_4); // back to all categories
        MenuByKeys(dlg, Qt::Key_F2, 4); // 時系列集計
        EXPECT_EQ(Text(dlg, kPeriodText), u"2008/2/1(金)～2/29(金)"_s);
        EXPECT_EQ(Lines(dlg), QStringList{u"食費|1,000"_s});
        MenuByKeys(dlg, Qt::Key_F2, 4);
        EXPECT_EQ(Text(dlg, kPeriodText), u"2007/2/1(木)～2/28(水)"_s);
        MenuByKeys(dlg, Qt::Key_F2, 4);
        EXPECT_EQ(Text(dlg, kPeriodText), u"2008/1/1(火)～12/31(水)"_s);
    };
    Run(SUM_CATEGORY, walk,
        {ChangeAmountTo(u"800"_s), ChangeAmountTo(u"900"_s, true),
         [](Dialog& edit) { PressSoftKey(edit, 1); }, // 削除
         [](Dialog& series) {
             EXPECT_EQ(Text(series, kLabel), u"[全データ]"_s);
             Key(series, Qt::Key_Down, Qt::Key_Return); // 2008/02
         },
         [](Dialog& series) {
             Key(series, Qt::Key_Left);         // the fiscal year before, twice
             MenuByKeys(series, Qt::Key_F2, 0); // 前年度に移動
             MenuByKeys(series, Qt::Key_F2, 1); // 翌年度に移動
             Key(series, Qt::Key_0);
         },
         [](Dialog& series) {
             Key(series, Qt::Key_2);
             EXPECT_TRUE(MenuHas(series, u"前年度に移動=32927 (disabled)"_s));
             Key(series, Qt::Key_Left);   // goes to the list, moves nothing
             for (int i = 0; i < 11; ++i) // row 11: the fiscal year of today
                 Key(series, Qt::Key_Down);
             Key(series, Qt::Key_Return);
         }});
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, u"ERROR"_s); // the failed save's own box
    EXPECT_EQ(doc->Count(), std::size(kLedger));
    EXPECT_EQ(doc->m_dwFlags & PERIOD_MASK, PERIOD_YEAR); // from the chosen time-series row
}

// A header tap and a dragged border are kept for every two-column layout (day
// rows too); 指定日に移動 and the picker move the base date; a day row opens its day.
TEST_F(SummaryDlgTest, WidthsSortAndGoToDateThenTheDayRows) {
    Run(SUM_CATEGORY,
        [](CSummaryDlg& dlg) {
            auto* view = ControlAs<QTreeView>(dlg, kList);
            emit view->header()->sectionClicked(1); // the amount header: descending
            EXPECT_EQ(Lines(dlg), (QStringList{u"食費|1,000"_s, u"交通費|420"_s}));
            view->setColumnWidth(0, Lp(150)); // the border dragged
            MenuByKeys(dlg, Qt::Key_F2, 3);   // 表示: 指定日に移動...
            EXPECT_EQ(Text(dlg, kPeriodText), u"2008/2/1(金)～2/29(金)"_s);
            EXPECT_EQ(Lines(dlg), QStringList{u"食費|1,000"_s});
        },
        {[](Dialog& pick) {
            QWidget* calendar = Control(pick, 1149);
            QWidget* days = calendar->focusProxy() ? calendar->focusProxy() : calendar;
            for (int i = 0; i < 3; ++i) // 10 March back three weeks to 18 February
                PressKey(*days, Qt::Key_Up);
            PressSoftKey(pick, 1);
        }});
    bytes::Entry e = kLedger[0];
    e.year = 2081;
    Add(e);
    Run(SUM_DATE, [](CSummaryDlg& dlg) {
        EXPECT_EQ(Lines(dlg), (QStringList{u"08/03/05|500"_s, u"08/03/10|420"_s, u"08/03/08|300"_s,
                                           u"08/03/15|200"_s})); // descending by amount
        EXPECT_EQ(ControlAs<QTreeView>(dlg, kList)->columnWidth(0), Lp(150));
        Key(dlg, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return);
        EXPECT_EQ(Text(dlg, kPeriodText), u"2008/3/15(土)"_s);
        EXPECT_EQ(Lines(dlg, true), (QStringList{u"分類|備考|金額"_s, u"食費||200"_s}));
        EXPECT_EQ(Text(dlg, kLabel), u"日付"_s);
        EXPECT_TRUE(MenuHas(dlg, u"  日=32871 [x]"_s));
        Key(dlg, Qt::Key_4);
        EXPECT_EQ(Lines(dlg).size(), 4);
        EXPECT_TRUE(MenuHas(dlg, u"  月=32873 [x]"_s));
        Key(dlg, Qt::Key_7); // the day kind shows the base date kept from the drill-down
        EXPECT_EQ(Text(dlg, kPeriodText), u"2008/3/15(土)"_s);
        ControlAs<QDateTimeEdit>(dlg, 1057)->setDate(QDate(2081, 3, 5));
        NotifyInfo closed{1057, Notify::CloseUp}; // the picker closed on another day
        dlg.SendNotify(closed);
        EXPECT_EQ(Text(dlg, kPeriodText), u"2081/3/5(水)"_s);
        EXPECT_EQ(Lines(dlg), QStringList{u"81/03/05|500"_s});
        Key(dlg, Qt::Key_9, Qt::Key_Return); // the month; its day row opens 2081, not 1981
        EXPECT_EQ(Lines(dlg), QStringList{u"食費|外食|500"_s});
    });
}

// The detail screen by keys alone: a filter bound out of range is refused;
// フィルターオフ keeps text and bounds; the balance of the whole ledger; a template
// entry dated in the period shown, listed at once. A new summary starts unfiltered.
TEST_F(SummaryDlgTest, DetailScreenFilterIncomeAndTemplateByKeysThenTheToolBar) {
    ASSERT_GE(doc->AddTemplate(u"昼食"_s, record({.amount = 650})), 0); // 食費 昼食 食堂 現金
    doc->m_dwFlags = (doc->m_dwFlags | OPT_BALANCE_ALL_DATA) & ~OPT_NEW_ENTRY_TODAY;
    Run(SUM_DETAIL,
        [&](CSummaryDlg& dlg) {
            MenuByKeys(dlg, Qt::Key_F2, 4); // フィルター
            EXPECT_EQ(Lines(dlg), QStringList{u"08/03/05|食費|外食|500"_s});
            MenuByKeys(dlg, Qt::Key_F2, 4);
            EXPECT_EQ(Lines(dlg).size(), 4); // フィルターオフ
            MenuByKeys(dlg, Qt::Key_F2, 4);
            Key(dlg, Qt::Key_6);
            EXPECT_EQ(Lines(dlg, true), (QStringList{u"月日|分類|備考|支払先|金額"_s,
                                                     u"08/03/01|給与|月給|会社|250,000"_s}));
            EXPECT_EQ(Text(dlg, kIncomeTotal), u"収入合計：250,000円"_s);
            EXPECT_EQ(Text(dlg, kBalance), u"残高：247,580円"_s);
            EXPECT_TRUE(MenuHas(dlg, u"  収入=32870 [x]"_s));
            EXPECT_GT(doc->m_ListHeaderInfo5.columnWidth[4], 0);
            Key(dlg, Qt::Key_5, Qt::Key_Left, Qt::Key_2); // expenses of February, a template entry
            EXPECT_EQ(Lines(dlg),
                      (QStringList{u"08/02/10|食費|昼食|650"_s, u"08/02/20|食費|外食|1,000"_s}));
        },
        {[&](Dialog& filter) {
             ASSERT_TRUE(ShowActive(filter)); // active once the soft-key pop-up is gone
             PressKeys(filter, {Qt::Key_Space, Qt::Key_Tab}); // 文字列フィルター
             TypeKeys(filter, u"外"_s);
             PressKeys(filter, {Qt::Key_Tab, Qt::Key_Space, Qt::Key_Tab}); // 以上
             PressKeyInWindow(filter, Qt::Key_A, Qt::ControlModifier);     // all, typed over
             TypeKeys(filter, u"2000000001"_s);
             PressKeyInWindow(filter, Qt::Key_Return);
             EXPECT_TRUE(filter.IsRunning()); // the bound is refused
             EXPECT_EQ(boxes.texts(), std::vector{validation::IntegerRange(0, 2000000000)});
             PressKeyInWindow(filter, Qt::Key_A, Qt::ControlModifier);
             TypeKeys(filter, u"300"_s);
             PressKeyInWindow(filter, Qt::Key_Return);
         },
         [](Dialog& filter) {
             EXPECT_TRUE(IsChecked(filter, 1094) && IsChecked(filter, 1095));
             EXPECT_FALSE(IsChecked(filter, 1096));
             PressKeyInWindow(filter, Qt::Key_Escape); // フィルターオフ
         },
         [](Dialog& filter) {
             EXPECT_FALSE(IsChecked(filter, 1094) || IsChecked(filter, 1095));
             EXPECT_EQ(Text(filter, 1064), u"外"_s);
             EXPECT_EQ(Text(filter, 1097), u"300"_s);
             PressKeyInWindow(filter, Qt::Key_Escape);
         },
         [](Dialog& list) { Key(list, Qt::Key_0); }, // the first template
         [](Dialog& edit) { PressSoftKey(edit, 1); }});
    // Without soft keys the tool bar (filter variant) carries the commands.
    plat::SetPlatformIdentity(4, u"PocketPC"_s);
    Run(SUM_DETAIL,
        [](CSummaryDlg& dlg) {
            CommandBar* bar = dlg.commandBar();
            EXPECT_EQ(bar->toolBarId(), 130);
            bar->updateButtons();
            EXPECT_TRUE(bar->action(32812)->isChecked());
            bar->action(32817)->trigger(); // day
            EXPECT_EQ(Text(dlg, kPeriodText), u"2008/3/10(月)"_s);
            EXPECT_TRUE(bar->action(32817)->isChecked());
            bar->action(32838)->trigger(); // フィルター
        },
        {[](Dialog& filter) {
            EXPECT_FALSE(IsChecked(filter, 1094)); // a new summary starts unfiltered
            EXPECT_EQ(Text(filter, 1064), QString());
            PressKeyInWindow(filter, Qt::Key_Escape);
        }});
    EXPECT_EQ(doc->m_dwFlags & PERIOD_MASK, PERIOD_DAY); // the next summary opens by day
}
