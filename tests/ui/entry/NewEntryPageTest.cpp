// The new-entry flow driven as a person does, page by page: from the panel's
// digit key 1 and from the flow function, with hand-made list files; checks the
// ledger and list files byte by byte, the boxes shown and the page states.
#include "support/DocTest.h"
#include "support/ModalRunner.h"
#include "support/RegistryProbe.h"

#include "ledger/CMyTALYDoc.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "ui/entry/CNewEntryPageDlg.h"
#include "ui/entry/RunNewEntryFlow.h"
#include "ui/framework/Bars.h"
#include "ui/framework/testing/Harness.h"
#include "ui/main/CMainFrame.h"
#include "ui/main/CMyTALYView.h"
#include "ui/main/PanelTasks.h"

#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

enum : int {
    kLabelA = 1004,
    kListA = 1005,
    kCheckA = 1084,
    kLabelB = 1100,
    kListB = 1099,
    kCheckB = 1085,
    kDateLabel = 1111,
    kDate = 1057,
    kTemplateBox = 1115,
    kBack = 4,
    kNext = 1,
    kFinish = 3,
    kCancel = 2,
};
constexpr int kDigit0 = 1007;     // amount page: digits 1007..1016
constexpr int kTripleZero = 1018; // "０００"
constexpr int kTemplateName = 1118;

const QString kStopped = u"新規登録を中止しました"_s;
const QString kChooseItem = u"項目を選択してください"_s;

using bytes::ListFile;

// A ledger record of 2008-03-10 12:34:56 (Monday), the test clock's time.
QByteArray RecordBytes(std::int32_t id, const QString& category, const QString& remark,
                       const QString& payee, const QString& payMethod, std::int32_t amount) {
    return bytes::Record({id, category, remark, payee, payMethod, 2008, 3, 1, 10, amount, 12, 34, 56});
}

using Drive = std::function<void(Dialog&)>;

// Amount page: the digits of `keys` ('K' for "０００"), then a button.
Drive AmountPage(const char* keys, int button) {
    return [=](Dialog& d) {
        for (const char* k = keys; *k; ++k)
            Click(d, *k == 'K' ? kTripleZero : kDigit0 + (*k - '0'));
        Click(d, button);
    };
}
Drive Press(int button) {
    return [=](Dialog& d) { Click(d, button); };
}

class NewEntryTest : public OpenDocTest {
protected:
    QByteArray list(const QString& suffix) const { return readData(suffix); }
    QByteArray ledger() const { return readData(datafile::kLedger); }
    void WriteLists() const {
        writeList(datafile::kCategories, {u"食費"_s, u"交通費"_s, u"給与"_s});
        writeList(u"\\備考\\食費.DAT"_s, {u"昼食"_s, u"夕食"_s});
        writeList(u"\\備考\\交通費.DAT"_s, {u"電車"_s, u"バス"_s});
        writeList(u"\\支払先\\食費.DAT"_s, {u"コンビニ"_s, u"食堂"_s});
        writeList(u"\\支払先\\交通費.DAT"_s, {u"JR"_s, u"私鉄"_s});
        writeList(datafile::kPayMethods, {u"カード"_s, u"現金"_s});
    }
    // Runs the flow with one drive per page; the owner must be shown again after.
    void RunFlow(std::vector<Drive> pages) {
        QWidget owner;
        owner.show();
        ModalDriver driver;
        for (Drive& page : pages)
            driver.then(Acting(
                [this, &owner, page = std::move(page)](Dialog& d) {
                    ownerHidden.push_back(!owner.isVisible());
                    page(d);
                },
                &leftOpen));
        RunNewEntryFlow(&owner, *doc, kTestNow);
        EXPECT_TRUE(owner.isVisible());
        EXPECT_EQ(driver.unexpectedRuns(), 0);
        EXPECT_EQ(driver.pending(), 0);
    }

    std::vector<bool> ownerHidden;
    int leftOpen = 0;
};

// --- The typical request, from the panel ------------------------------------

TEST_F(NewEntryTest, DigitOneRecordsAnExpenseAndLearnsTheTexts) {
    WriteLists();
    PanelTasks tasks;
    CMainFrame frame(*doc, tasks);
    frame.show();
    QApplication::processEvents();
    ModalDriver driver;
    driver.then(AmountPage("12K", kNext))
        .then([](Dialog& d) {
            EXPECT_EQ(Items(d, kListB), (QStringList{u"昼食"_s, u"夕食"_s}));
            SelectIndex(d, kListA, 1); // 交通費: its remarks come in
            EXPECT_EQ(Items(d, kListB), (QStringList{u"電車"_s, u"バス"_s}));
            SelectIndex(d, kListB, 1);
            Click(d, kNext);
        })
        .then([](Dialog& d) {
            EXPECT_EQ(Items(d, kListA), (QStringList{u"JR"_s, u"私鉄"_s}));
            SelectIndex(d, kListB, 1);
            Click(d, kFinish);
        });
    PressKeyInWindow(*frame.panel(), Qt::Key_1);
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_EQ(driver.unexpectedRuns(), 0);
    EXPECT_TRUE(frame.panel()->isVisible());

    EXPECT_EQ(ledger(),
              bytes::Header(1) + RecordBytes(1, u"交通費"_s, u"バス"_s, u"JR"_s, u"現金"_s, 12000));
    EXPECT_EQ(list(u"\\分類.DAT"_s), ListFile({u"交通費"_s, u"食費"_s, u"給与"_s}));
    EXPECT_EQ(list(u"\\備考\\交通費.DAT"_s), ListFile({u"バス"_s, u"電車"_s}));
    EXPECT_EQ(list(u"\\支払先\\交通費.DAT"_s), ListFile({u"JR"_s, u"私鉄"_s}));
    EXPECT_EQ(list(u"\\支払方法.DAT"_s), ListFile({u"現金"_s, u"カード"_s}));
    EXPECT_EQ(list(u"\\備考\\食費.DAT"_s), ListFile({u"昼食"_s, u"夕食"_s}));
    EXPECT_TRUE(boxes.texts().empty());
}

// --- Pages and their ends ----------------------------------------------------

TEST_F(NewEntryTest, OwnerStaysHiddenWhileThePagesRun) {
    WriteLists();
    RunFlow({AmountPage("5", kNext), Press(kFinish)});
    EXPECT_EQ(ownerHidden, (std::vector<bool>{true, true}));
}

TEST_F(NewEntryTest, FinishOnCategoryPageKeepsPresetPayeeAndMethod) {
    WriteLists();
    RunFlow({AmountPage("8", kNext), Press(kFinish)});
    EXPECT_EQ(ledger(),
              bytes::Header(1) + RecordBytes(1, u"食費"_s, u"昼食"_s, u"その他"_s, u"現金"_s, 8));
}

TEST_F(NewEntryTest, FreshFolderOffersOtherAndCreatesEmptyFiles) {
    RunFlow({AmountPage("3", kNext),
             [this](Dialog& d) {
                 EXPECT_EQ(Items(d, kListA), QStringList{u"その他"_s});
                 EXPECT_EQ(Items(d, kListB), QStringList{u"その他"_s});
                 EXPECT_EQ(list(u"\\分類.DAT"_s), QByteArray());
                 EXPECT_EQ(list(u"\\備考\\その他.DAT"_s), QByteArray());
                 Click(d, kNext);
             },
             [this](Dialog& d) {
                 EXPECT_EQ(Items(d, kListA), QStringList{u"その他"_s});
                 EXPECT_EQ(list(u"\\支払先\\その他.DAT"_s), QByteArray());
                 Click(d, kCancel);
             }});
    EXPECT_EQ(boxes.texts(), std::vector<QString>{kStopped});
    // What the category page confirmed stays learned.
    EXPECT_EQ(list(u"\\分類.DAT"_s), ListFile({u"その他"_s}));
    EXPECT_EQ(doc->Count(), 0u);
}

struct CancelRow {
    const char* name;
    int pages; // pages passed with next before cancelling
};
void PrintTo(const CancelRow& row, std::ostream* os) {
    *os << row.name;
}
class NewEntryCancel : public NewEntryTest, public ::testing::WithParamInterface<CancelRow> {};

TEST_P(NewEntryCancel, ShowsTheBoxAndAddsNothing) {
    WriteLists();
    std::vector<Drive> pages{AmountPage("9", kNext), Press(kNext), Press(kNext)};
    pages.resize(static_cast<std::size_t>(GetParam().pages));
    pages.push_back(Press(kCancel));
    RunFlow(std::move(pages));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, kStopped);
    EXPECT_EQ(boxes.shown()[0].caption, u"登録の中止"_s);
    EXPECT_EQ(doc->Count(), 0u);
    EXPECT_FALSE(fileExists(doc->DataPath(u"\\収支.DAT"_s)) && ledger().size() > 16);
}

INSTANTIATE_TEST_SUITE_P(Rows, NewEntryCancel,
                         ::testing::Values(CancelRow{"OnAmount", 0}, CancelRow{"OnCategory", 1},
                                           CancelRow{"OnPayee", 2}));

TEST_F(NewEntryTest, BackFromPayeeThenFinishStoresThePayeePagesFirstItems) {
    WriteLists();
    RunFlow({AmountPage("7", kNext), Press(kNext),
             [](Dialog& d) {
                 SelectIndex(d, kListA, 1); // ignored: back takes what the page started with
                 Click(d, kBack);
             },
             [](Dialog& d) {
                 EXPECT_EQ(Text(d, kListA), u"食費"_s);
                 Click(d, kFinish);
             }});
    EXPECT_EQ(ledger(), bytes::Header(1) +
                            RecordBytes(1, u"食費"_s, u"昼食"_s, u"コンビニ"_s, u"カード"_s, 7));
}

TEST_F(NewEntryTest, BackToAmountShowsTheAmountHeld) {
    WriteLists();
    RunFlow({AmountPage("45", kNext), Press(kBack),
             [](Dialog& d) {
                 EXPECT_EQ(Text(d, 1006), u"45"_s);
                 Click(d, kNext);
             },
             Press(kFinish)});
    EXPECT_EQ(doc->Count(), 1u);
    EXPECT_EQ(doc->Head()->record.amount, 45);
}

// --- Learning the texts ------------------------------------------------------

TEST_F(NewEntryTest, NewRemarkGoesToTheFrontAndUncheckedListIsLeftAlone) {
    WriteLists();
    const QByteArray categories = list(u"\\分類.DAT"_s);
    RunFlow({AmountPage("1", kNext), [](Dialog& d) {
                 SelectIndex(d, kListA, 1); // 交通費, which would move to the front
                 Click(d, kCheckA);         // but the category list is kept as it is
                 ClearText(d, kListB);
                 TypeText(d, kListB, u"おやつ"_s);
                 Click(d, kFinish);
             }});
    EXPECT_EQ(list(u"\\分類.DAT"_s), categories);
    EXPECT_EQ(list(u"\\備考\\交通費.DAT"_s), ListFile({u"おやつ"_s, u"電車"_s, u"バス"_s}));
    EXPECT_EQ(FieldText(doc->Head()->record.remark), u"おやつ"_s);
    EXPECT_EQ(FieldText(doc->Head()->record.category), u"交通費"_s);
}

TEST_F(NewEntryTest, TypedCategoryIsStoredWhileRemarksStayWithTheChosenOne) {
    WriteLists();
    RunFlow({AmountPage("2", kNext), [](Dialog& d) {
                 SelectIndex(d, kListA, 1); // 交通費
                 ClearText(d, kListA);
                 TypeText(d, kListA, u"娯楽"_s);
                 EXPECT_EQ(Items(d, kListB), (QStringList{u"電車"_s, u"バス"_s}));
                 Click(d, kFinish);
             }});
    EXPECT_EQ(FieldText(doc->Head()->record.category), u"娯楽"_s);
    EXPECT_EQ(FieldText(doc->Head()->record.remark), u"電車"_s);
    EXPECT_EQ(list(u"\\分類.DAT"_s), ListFile({u"娯楽"_s, u"食費"_s, u"交通費"_s, u"給与"_s}));
    EXPECT_EQ(list(u"\\備考\\交通費.DAT"_s), ListFile({u"電車"_s, u"バス"_s}));
}

TEST_F(NewEntryTest, EmptyTextKeepsThePageOpen) {
    WriteLists();
    RunFlow({AmountPage("2", kNext), [](Dialog& d) {
                 ClearText(d, kListB);
                 Click(d, kNext);
                 EXPECT_TRUE(d.IsRunning());
             }});
    EXPECT_EQ(leftOpen, 1);
    EXPECT_EQ(boxes.texts(), (std::vector<QString>{kChooseItem, kStopped}));
    EXPECT_EQ(list(u"\\備考\\食費.DAT"_s), ListFile({u"昼食"_s, u"夕食"_s}));
}

// --- Templates ---------------------------------------------------------------

TEST_F(NewEntryTest, TemplateBoxSavesANamedTemplateAndStillStoresTheEntry) {
    WriteLists();
    ASSERT_EQ(doc->AddTemplate(u"定番"_s, InOutRecord{}), 0);
    RunFlow({AmountPage("6", kNext), Press(kNext),
             [](Dialog& d) {
                 EXPECT_TRUE(IsShown(d, kTemplateBox));
                 EXPECT_TRUE(IsEnabled(d, kTemplateBox));
                 EXPECT_FALSE(IsShown(d, kDate));
                 EXPECT_FALSE(IsShown(d, kNext));
                 EXPECT_EQ(Text(d, kFinish), u"完了(OK)"_s);
                 Click(d, kTemplateBox);
                 Click(d, kFinish);
             },
             [](Dialog& d) {
                 TypeText(d, kTemplateName, u"昼ごはん"_s);
                 ClearText(d, 1055);
                 TypeText(d, 1055, u"900"_s); // the template's own amount
                 Click(d, IDOK);
             }});
    EXPECT_EQ(FieldText(doc->Templates()[1].name), u"昼ごはん"_s);
    EXPECT_EQ(doc->Templates()[1].record.id, 1);
    EXPECT_EQ(doc->Templates()[1].record.amount, 900);
    EXPECT_EQ(FieldText(doc->Templates()[1].record.payee), u"コンビニ"_s);
    EXPECT_EQ(doc->Head()->record.amount, 6);
    EXPECT_FALSE(doc->TemplatesChanged()); // written by the save after the entry
    EXPECT_TRUE(readFile(doc->DataPath(u"\\TEIBAN.DAT"_s)).startsWith("TALY"));
}

TEST_F(NewEntryTest, TemplateBoxDisabledWhenAllSlotsAreUsed) {
    WriteLists();
    for (int i = 0; i < kTemplateSlots; ++i)
        doc->AddTemplate(u"定番"_s, InOutRecord{});
    RunFlow({AmountPage("6", kNext), Press(kNext), [](Dialog& d) {
                 EXPECT_TRUE(IsShown(d, kTemplateBox));
                 EXPECT_FALSE(IsEnabled(d, kTemplateBox));
                 Click(d, kFinish);
             }});
    EXPECT_EQ(doc->Count(), 1u);
}

// --- Page looks ---------------------------------------------------------------

struct LookRow {
    const char* name;
    bool payeePage;
    std::vector<int> shown;
    std::vector<int> hidden;
    const char* labelA;
    const char* labelB;
    int menu;
    const char* rightKey;
};
void PrintTo(const LookRow& row, std::ostream* os) {
    *os << row.name;
}
class NewEntryLooks : public NewEntryTest, public ::testing::WithParamInterface<LookRow> {};

TEST_P(NewEntryLooks, PagesShowTheirButtonsLabelsAndSoftKeys) {
    const LookRow& row = GetParam();
    plat::SetPlatformIdentity(5, u"PocketPC"_s);
    WriteLists();
    const Drive look = [&row](Dialog& d) {
        for (int id : row.shown)
            EXPECT_TRUE(IsShown(d, id)) << id;
        for (int id : row.hidden)
            EXPECT_FALSE(IsShown(d, id)) << id;
        EXPECT_TRUE(IsChecked(d, kCheckA));
        EXPECT_TRUE(IsChecked(d, kCheckB));
        EXPECT_EQ(Text(d, kLabelA), QString::fromUtf8(row.labelA));
        EXPECT_EQ(Text(d, kLabelB), QString::fromUtf8(row.labelB));
        SoftKeyBar* bar = static_cast<Window&>(d).softKeyBar();
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->menuId(), row.menu);
        EXPECT_EQ(bar->label(1), QString::fromUtf8(row.rightKey));
        ChooseMenuItem(static_cast<Window&>(d), kCancel);
    };
    std::vector<Drive> pages{AmountPage("1", kNext)};
    if (row.payeePage) pages.push_back(Press(kNext));
    pages.push_back(look);
    RunFlow(std::move(pages));
    EXPECT_EQ(boxes.texts(), std::vector<QString>{kStopped});
}

INSTANTIATE_TEST_SUITE_P(Rows, NewEntryLooks,
                         ::testing::Values(LookRow{"CategoryPage",
                                                   false,
                                                   {kBack, kNext, kFinish, kCancel, kDate,
                                                    kDateLabel},
                                                   {kTemplateBox},
                                                   "分類:",
                                                   "備考:",
                                                   158,
                                                   "次へ＞"},
                                           LookRow{"PayeePage",
                                                   true,
                                                   {kBack, kFinish, kCancel, kTemplateBox},
                                                   {kNext, kDate, kDateLabel},
                                                   "支払先:",
                                                   "支払方法:",
                                                   159,
                                                   "完了"}));

TEST_F(NewEntryTest, SoftKeysGoBackAndFinish) {
    plat::SetPlatformIdentity(5, u"PocketPC"_s);
    WriteLists();
    RunFlow({AmountPage("2", kNext),
             [](Dialog& d) { PressSoftKey(static_cast<Window&>(d), 1); }, // 次へ＞
             [](Dialog& d) { ChooseMenuItem(static_cast<Window&>(d), kBack); },
             [](Dialog& d) { PressSoftKey(static_cast<Window&>(d), 1); },
             [](Dialog& d) { PressSoftKey(static_cast<Window&>(d), 1); }}); // 完了
    EXPECT_EQ(doc->Count(), 1u);
    EXPECT_EQ(FieldText(doc->Head()->record.payee), u"コンビニ"_s);
}

TEST_F(NewEntryTest, HandsetGetsTheHintTimerOthersDoNot) {
    WriteLists();
    for (bool handset : {false, true}) {
        if (handset) regprobe::MakeHandset();
        RunFlow({AmountPage("2", kNext), [handset](Dialog& d) {
                     EXPECT_EQ(static_cast<Window&>(d).IsTimerActive(1), handset);
                     if (handset) {
                         EXPECT_TRUE(QTest::qWaitFor([&] { return !d.IsTimerActive(1); }, 3000));
                     }
                     Click(d, kFinish);
                 }});
    }
    EXPECT_EQ(doc->Count(), 2u);
}

} // namespace
