// The new-entry pages: the amount page driven by its keypad buttons (found by their faces),
// keys and soft keys, and the pages in turn from a fresh folder.
#include "support/DocTest.h"
#include "support/ModalRunner.h"

#include "platform/System.h"
#include "ui/entry/CAmountDlg.h"
#include "ui/entry/RunNewEntryFlow.h"
#include "ui/framework/testing/Harness.h"

#include <QApplication>
#include <QPushButton>
#include <algorithm>

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kAmountEdit = 1006, kIncome = 1131, kListB = 1099, kNext = 1, kFinish = 3, kBack = 4,
              kCancel = 2;
constexpr unsigned kNextPage = CAmountDlg::HideFinish | CAmountDlg::HideBack;
constexpr unsigned kFinishOnly = CAmountDlg::HideNext | CAmountDlg::HideBack;

// Clicks the keypad buttons whose faces are given, separated by spaces.
void ClickFaces(Dialog& dlg, const QString& faces) {
    const QList<QPushButton*> buttons = dlg.findChildren<QPushButton*>();
    for (const QString& face : faces.split(u' ')) {
        const auto found = std::ranges::find(buttons, face, &QPushButton::text);
        ASSERT_NE(found, buttons.end()) << face.toStdString();
        Click(dlg, (*found)->objectName().toInt());
    }
}

using AmountDlgTest = DeviceTest;

// Buttons, keys (arrow, then pad key: either doing nothing shows) and soft keys (0 below: the
// right one) drive the page; "E" refuses confirmation until C/CE; next hands back the sign of
// income, back drops it; the one confirm button shown keeps the focus, even put on the amount.
TEST_F(AmountDlgTest, ButtonsKeysAndSoftKeysDriveTheKeypadAndEndThePage) {
    plat::SetPlatformIdentity(5, u"PocketPC"_s);
    const auto run = [](std::int32_t amount, unsigned options, DialogAction drive) {
        CAmountDlg dlg(nullptr);
        dlg.m_nAmount = amount;
        dlg.m_nOptions = options;
        const int result = RunModal(dlg, std::move(drive)).result;
        return std::pair(result, dlg.m_nAmount);
    };
    const std::pair<QString, QString> steps[] = {
        {u"１ ２ ３ ４ ５ ６ ７ ８ ９ ０"_s, u"1234567890"_s},
        {u"C/CE ５ ００ ０００ ÷ ４ ＝ × ２ ＝"_s, u"250000"_s},
        {u"－ ５ ０ ０ ０ ０ ＝ ＋ ８ ０ ０ ０ ０ ＝ 税＋ 税－"_s, u"280000"_s},
        {u"÷ ０ ＝"_s, u"E"_s},
    };
    const auto walked = run(0, 0, [&](Dialog& dlg) {
        for (const auto& [faces, display] : steps) {
            ClickFaces(dlg, faces);
            EXPECT_EQ(Text(dlg, kAmountEdit), display) << faces.toStdString();
        }
        Click(dlg, kFinish);
        Click(dlg, kNext);
        EXPECT_TRUE(dlg.IsRunning());
        ClickFaces(dlg, u"３ C/CE ２ ５ ０"_s);
        Click(dlg, kIncome);
        Click(dlg, kNext);
    });
    EXPECT_EQ(walked, std::pair(kNext, -250));
    EXPECT_EQ(run(0, kFinishOnly, [](Dialog& dlg) { PressSoftKey(dlg, 0); }).first, kCancel);
    EXPECT_EQ(run(-250, 0, [](Dialog& dlg) { Click(dlg, kBack); }), std::pair(kBack, 250));
    constexpr auto kPad = Qt::KeypadModifier;
    using enum Qt::Key;
    const std::tuple<unsigned, std::vector<QKeyCombination>, QString, int> rows[] = {
        {kNextPage, {Key_1, kPad | Key_4, Key_0}, u"140"_s, Key_Return},
        {kNextPage, {Key_7, Key_Right, Key_5, kPad | Key_Plus}, u"12"_s, Key_F2},
        {kNextPage, {Key_7, Key_Left, Key_5, kPad | Key_Minus}, u"2"_s, 0},
        {kFinishOnly, {Key_7, Key_Up, Key_5, kPad | Key_Asterisk}, u"35"_s, Key_Enter},
        {kFinishOnly, {Key_9, Key_Down, Key_2, kPad | Key_Slash}, u"4"_s, Key_F2},
        {kFinishOnly, {Key_1, Key_2, Key_3, Key_Backspace}, u"12"_s, 0},
    };
    for (const auto& [options, keys, shown, confirm] : rows) {
        SCOPED_TRACE(shown.toStdString() + " " + std::to_string(confirm));
        const int button = options == kNextPage ? kNext : kFinish;
        const auto result = run(0, options, [&](Dialog& dlg) {
            for (int id : {kNext, kFinish, kBack})
                EXPECT_EQ(IsShown(dlg, id), id == button) << id;
            for (const QKeyCombination key : keys)
                PressKeyInWindow(dlg, key.key(), key.keyboardModifiers());
            EXPECT_EQ(Text(dlg, kAmountEdit), shown);
            dlg.GotoDlgCtrl(kAmountEdit);
            QApplication::processEvents();
            EXPECT_EQ(dlg.FocusedControlId(), button);
            confirm ? PressKeyInWindow(dlg, confirm) : PressSoftKey(dlg, 1);
        });
        EXPECT_EQ(result, std::pair(button, shown.toInt())); // pending operations not carried out
    }
}

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
