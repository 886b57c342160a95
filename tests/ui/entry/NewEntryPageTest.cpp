// The new-entry flow driven page by page, with the ledger and list files checked byte by byte.
#include "support/DocTest.h"
#include "support/ModalRunner.h"
#include "support/RegistryProbe.h"

#include "platform/System.h"
#include "ui/entry/RunNewEntryFlow.h"
#include "ui/framework/Bars.h"
#include "ui/framework/testing/Harness.h"

#include <QFile>
#include <QTest>
#include <cstring>

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kLabelA = 1004, kListA = 1005, kCheckA = 1084, kLabelB = 1100, kListB = 1099,
              kDateLabel = 1111, kDate = 1057, kTemplateBox = 1115, kBack = 4, kNext = 1,
              kFinish = 3, kCancel = 2, kDigit0 = 1007;

// Amount page: one digit (buttons kDigit0 + 0..9), then next.
DialogAction AmountPage(int digit) {
    return [=](Dialog& d) {
        Click(d, kDigit0 + digit);
        Click(d, kNext);
    };
}

class NewEntryTest : public OpenDocTest {
protected:
    void SetUp() override {
        OpenDocTest::SetUp();
        writeEntryLists();
    }
    // Runs the flow with one action per page; the owner stays hidden while the
    // pages run and is shown again after.
    void RunFlow(std::vector<DialogAction> pages) {
        QWidget owner;
        owner.show();
        for (DialogAction& page : pages)
            page = [&owner, page = std::move(page)](Dialog& d) {
                EXPECT_FALSE(owner.isVisible());
                page(d);
            };
        RunActing([&] { RunNewEntryFlow(&owner, *doc, kTestNow); }, std::move(pages));
        EXPECT_TRUE(owner.isVisible());
    }
};

// An empty text keeps the page open and learns nothing.
TEST_F(NewEntryTest, FreshFolderOffersOtherAndCreatesEmptyFiles) {
    ASSERT_TRUE(QFile::remove(host(inFolder(datafile::kCategories)))); // a fresh folder
    RunFlow({AmountPage(3),
             [this](Dialog& d) {
                 EXPECT_FALSE(d.IsTimerActive(1)); // no hint timer but on the handset
                 EXPECT_EQ(Items(d, kListA), QStringList{u"その他"_s});
                 EXPECT_EQ(Items(d, kListB), QStringList{u"その他"_s});
                 ClearText(d, kListB);
                 Click(d, kNext);
                 EXPECT_TRUE(d.IsRunning());
                 EXPECT_EQ(readData(u"\\備考\\その他.DAT"_s), QByteArray());
                 SelectIndex(d, kListB, 0);
                 Click(d, kNext);
             },
             [this](Dialog& d) {
                 EXPECT_EQ(Items(d, kListA), QStringList{u"その他"_s});
                 EXPECT_EQ(readData(u"\\支払先\\その他.DAT"_s), QByteArray());
                 Click(d, kCancel);
             }});
    EXPECT_EQ(boxes.texts(),
              (std::vector<QString>{u"項目を選択してください"_s, u"新規登録を中止しました"_s}));
    EXPECT_EQ(boxes.shown()[1].caption, u"登録の中止"_s);
    // What the category page confirmed stays learned.
    EXPECT_EQ(readData(datafile::kCategories), bytes::ListFile({u"その他"_s}));
    EXPECT_EQ(doc->Count(), 0u);
}

// On the handset the hint timer runs and stops. Back takes what a page started with. A
// category typed over the chosen one is stored, with the chosen one's remarks; an unchecked
// list is left alone. Saving at exit, the entry waits in memory.
TEST_F(NewEntryTest, PagesShowTheirButtonsLabelsAndSoftKeysGoBackAndLearnTypedTexts) {
    const QByteArray categories = readData(datafile::kCategories);
    const QByteArray before = readData(datafile::kLedger);
    doc->m_bSaveOnChange = false;
    plat::SetPlatformIdentity(5, u"PocketPC"_s);
    regprobe::MakeHandset();
    for (int i = 0; i < kTemplateSlots; ++i)
        doc->AddTemplate(u"定番"_s, InOutRecord{});
    RunFlow({AmountPage(7),
             [](Dialog& d) {
                 EXPECT_TRUE(d.IsTimerActive(1));
                 EXPECT_TRUE(QTest::qWaitFor([&] { return !d.IsTimerActive(1); }, 3000));
                 for (int id : {kBack, kNext, kFinish, kCancel, kDate, kDateLabel})
                     EXPECT_TRUE(IsShown(d, id)) << id;
                 EXPECT_FALSE(IsShown(d, kTemplateBox));
                 EXPECT_EQ(Text(d, kLabelA), u"分類:"_s);
                 EXPECT_EQ(Text(d, kLabelB), u"備考:"_s);
                 EXPECT_EQ(static_cast<Window&>(d).softKeyBar()->label(1), u"次へ＞"_s);
                 PressSoftKey(static_cast<Window&>(d), 1);
             },
             [](Dialog& d) {
                 for (int id : {kNext, kDate, kDateLabel})
                     EXPECT_FALSE(IsShown(d, id)) << id;
                 EXPECT_TRUE(IsShown(d, kTemplateBox));
                 EXPECT_FALSE(IsEnabled(d, kTemplateBox)); // every slot is used
                 EXPECT_EQ(Text(d, kFinish), u"完了(OK)"_s);
                 EXPECT_EQ(Text(d, kLabelA), u"支払先:"_s);
                 EXPECT_EQ(Text(d, kLabelB), u"支払方法:"_s);
                 EXPECT_EQ(static_cast<Window&>(d).softKeyBar()->label(1), u"完了"_s);
                 SelectIndex(d, kListB, 1); // カード, dropped by going back
                 ChooseMenuItem(static_cast<Window&>(d), kBack);
             },
             [](Dialog& d) {
                 EXPECT_EQ(Text(d, kListA), u"食費"_s);
                 Click(d, kBack);
             },
             [](Dialog& d) {
                 EXPECT_EQ(Text(d, 1006), u"7"_s);
                 Click(d, kNext);
             },
             [](Dialog& d) {
                 SelectIndex(d, kListA, 1); // 交通費
                 ClearText(d, kListA);
                 TypeText(d, kListA, u"娯楽"_s);
                 EXPECT_EQ(Items(d, kListB), (QStringList{u"電車"_s, u"昼食"_s}));
                 Click(d, kCheckA);
                 ClearText(d, kListB);
                 TypeText(d, kListB, u"おやつ"_s);
                 Click(d, kFinish);
             }});
    const InOutRecord stored = record(
        {1, u"娯楽"_s, u"おやつ"_s, u"コンビニ"_s, u"現金"_s, 2008, 3, 1, 10, 7, 12, 34, 56});
    EXPECT_EQ(std::memcmp(&doc->Head()->record, &stored, sizeof stored), 0);
    EXPECT_TRUE(doc->IsDirty());
    EXPECT_EQ(readData(datafile::kLedger), before);
    EXPECT_EQ(readData(datafile::kCategories), categories);
    EXPECT_EQ(readData(u"\\備考\\交通費.DAT"_s),
              bytes::ListFile({u"おやつ"_s, u"電車"_s, u"昼食"_s}));
}

} // namespace
