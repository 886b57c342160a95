// The new-entry flow driven page by page from a fresh folder, cancelled on its last page.
#include "support/DocTest.h"
#include "support/ModalRunner.h"

#include "ui/entry/RunNewEntryFlow.h"
#include "ui/framework/testing/Harness.h"

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kListB = 1099, kNext = 1, kCancel = 2;

// An empty text keeps the page open and learns nothing; what a page confirmed stays learned.
// The owner stays hidden while the pages run and is shown again after.
TEST_F(OpenDocTest, NewEntryFromAFreshFolderOffersOtherAndLearnsWhatIsConfirmed) {
    QWidget owner;
    owner.show();
    RunActing([&] { RunNewEntryFlow(&owner, *doc, kTestNow); },
              {[](Dialog& d) { Click(d, kNext); },
               [&](Dialog& d) {
                   EXPECT_FALSE(owner.isVisible());
                   EXPECT_FALSE(d.IsTimerActive(1)); // no hint timer but on the handset
                   ClearText(d, kListB);
                   Click(d, kNext);
                   EXPECT_TRUE(d.IsRunning());
                   EXPECT_EQ(readData(u"\\備考\\その他.DAT"_s), QByteArray());
                   SelectIndex(d, kListB, 0);
                   Click(d, kNext);
               },
               [](Dialog& d) { Click(d, kCancel); }});
    EXPECT_TRUE(owner.isVisible());
    EXPECT_EQ(boxes.texts(),
              (std::vector<QString>{u"項目を選択してください"_s, u"新規登録を中止しました"_s}));
    EXPECT_EQ(boxes.shown()[1].caption, u"登録の中止"_s);
    EXPECT_EQ(readData(datafile::kCategories), bytes::ListFile({u"その他"_s}));
    EXPECT_EQ(doc->Count(), 0u);
}

} // namespace
