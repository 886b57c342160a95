// The amount page driven as a person does: keypad buttons, hardware keys and
// soft keys, with the result code and amount each run hands back.
#include "support/DeviceTest.h"

#include "platform/System.h"
#include "ui/entry/CAmountDlg.h"
#include "ui/framework/Bars.h"
#include "ui/framework/testing/Harness.h"

#include <QApplication>
#include <QPushButton>
#include <QStringList>
#include <QTest>

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kAmountEdit = 1006;
constexpr int kIncome = 1131;
constexpr int kNext = 1;
constexpr int kCancel = 2;
constexpr int kFinish = 3;
constexpr int kBack = 4;

// Keypad buttons by their faces.
int ButtonOf(const QString& face) {
    static const QStringList digits = {u"０"_s, u"１"_s, u"２"_s, u"３"_s, u"４"_s,
                                       u"５"_s, u"６"_s, u"７"_s, u"８"_s, u"９"_s};
    if (digits.contains(face)) return 1007 + static_cast<int>(digits.indexOf(face));
    if (face == u"００") return 1017;
    if (face == u"０００") return 1018;
    if (face == u"C/CE") return 1019;
    if (face == u"税－") return 1020;
    if (face == u"税＋") return 1021;
    if (face == u"÷") return 1022;
    if (face == u"×") return 1023;
    if (face == u"－") return 1024;
    if (face == u"＋") return 1025;
    if (face == u"＝") return 1026;
    ADD_FAILURE() << "no key " << face.toStdString();
    return 0;
}

void ClickFaces(Dialog& dlg, const QString& faces) {
    for (const QString& face : faces.split(u' ', Qt::SkipEmptyParts))
        Click(dlg, ButtonOf(face));
}

class AmountDlgTest : public DeviceTest {
protected:
    // Runs a page on `amount` with `options`; `drive` acts inside the modal run.
    int Run(std::int32_t amount, unsigned options, std::function<void(Dialog&)> drive) {
        CAmountDlg dlg(nullptr);
        dlg.m_nAmount = amount;
        dlg.m_nOptions = options;
        ModalDriver driver;
        driver.then([drive = std::move(drive)](Dialog& d) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d)); // keys and focus as on a front window
            drive(d);
        });
        const int result = dlg.DoModal();
        EXPECT_EQ(driver.unexpectedRuns(), 0);
        handedBack = dlg.m_nAmount;
        return result;
    }
    std::int32_t handedBack = 0;
};

struct ButtonRow {
    const char* name;
    std::int32_t start;
    const char* faces;
    bool checkIncome;
    const char* shown;
    std::int32_t handedBack;
};
void PrintTo(const ButtonRow& row, std::ostream* os) {
    *os << row.name;
}

class AmountDlgButtons : public AmountDlgTest, public ::testing::WithParamInterface<ButtonRow> {};

TEST_P(AmountDlgButtons, NextHandsBackSignedAmount) {
    const ButtonRow& row = GetParam();
    QString shown;
    const int result = Run(row.start, 0x11, [&](Dialog& dlg) {
        ClickFaces(dlg, QString::fromUtf8(row.faces));
        if (row.checkIncome) Click(dlg, kIncome);
        shown = Text(dlg, kAmountEdit);
        Click(dlg, kNext);
    });
    EXPECT_EQ(result, kNext);
    EXPECT_EQ(shown.toStdString(), row.shown);
    EXPECT_EQ(handedBack, row.handedBack);
}

const ButtonRow kButtonRows[] = {
    {"TwelveThousand", 0, "１ ２ ０００", false, "12000", 12000},
    {"FiveHundred", 0, "５ ００", false, "500", 500},
    {"NoPrecedence", 0, "２ ＋ ３ × ４ ＝", false, "20", 20},
    {"TaxKeepsPendingPlus", 0, "１ ０ ０ ＋ １ ０ ０ ０ 税＋ ＝", false, "2100", 2100},
    {"TaxMinus", 0, "１ ０ ５ ０ 税－", false, "1000", 1000},
    {"ClearEntryOnce", 0, "５ ＋ ３ C/CE ４ ＝", false, "9", 9},
    {"ClearAllTwice", 0, "５ ＋ ３ C/CE C/CE ４ ＝", false, "4", 4},
    {"PendingNotCarriedOut", 0, "１ ０ ０ ＋ ５ ０", false, "50", 50},
    {"NegativeResultIsIncome", 0, "１ ０ ０ － ３ ０ ０ ＝", false, "-200", -200},
    {"NegativeResultCheckedIsExpense", 0, "１ ０ ０ － ３ ０ ０ ＝", true, "-200", 200},
    {"IncomeChecked", 0, "８ ０ ０", true, "800", -800},
    {"OpenedIncomeUnchecked", -300, "", true, "300", 300},
    {"OpenedAmountKept", 4500, "", false, "4500", 4500},
    {"DivisionThenClearRecovers", 0, "５ ÷ ０ ＝ C/CE ７", false, "7", 7},
};

INSTANTIATE_TEST_SUITE_P(AmountDlg, AmountDlgButtons, ::testing::ValuesIn(kButtonRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(AmountDlgTest, OpensNegativeAmountAsCheckedIncome) {
    QString shown;
    bool income = false;
    const int result = Run(-1500, 0x11, [&](Dialog& dlg) {
        shown = Text(dlg, kAmountEdit);
        income = IsChecked(dlg, kIncome);
        Click(dlg, kNext);
    });
    EXPECT_EQ(result, kNext);
    EXPECT_EQ(shown, u"1500"_s);
    EXPECT_TRUE(income);
    EXPECT_EQ(handedBack, -1500);
}

TEST_F(AmountDlgTest, ErrorStateKeepsPageOpenUntilCleared) {
    QStringList seen;
    const int result = Run(0, 0x12, [&](Dialog& dlg) {
        ClickFaces(dlg, u"５ ÷ ０ ＝"_s);
        seen << Text(dlg, kAmountEdit);
        Click(dlg, kFinish); // refused: no amount to hand back
        seen << (dlg.IsRunning() ? u"running"_s : u"ended"_s);
        ClickFaces(dlg, u"３ C/CE ３"_s);
        seen << Text(dlg, kAmountEdit);
        Click(dlg, kFinish);
    });
    EXPECT_EQ(seen, (QStringList{u"E"_s, u"running"_s, u"3"_s}));
    EXPECT_EQ(result, kFinish);
    EXPECT_EQ(handedBack, 3);
}

TEST_F(AmountDlgTest, CancelAndBackEndWithoutSignHandling) {
    EXPECT_EQ(Run(0, 0, [](Dialog& dlg) { Click(dlg, kCancel); }), kCancel);
    const int result = Run(0, 0, [](Dialog& dlg) {
        ClickFaces(dlg, u"２ ５ ０"_s);
        Click(dlg, kIncome);
        Click(dlg, kBack);
    });
    EXPECT_EQ(result, kBack);
    EXPECT_EQ(handedBack, 250);
}

struct KeyRow {
    const char* name;
    std::vector<int> keys; // Qt keys, numeric-pad keys flagged by the high bit
    const char* shown;
};
void PrintTo(const KeyRow& row, std::ostream* os) {
    *os << row.name;
}

constexpr int kPad = 0x40000000;

class AmountDlgKeys : public AmountDlgTest, public ::testing::WithParamInterface<KeyRow> {};

TEST_P(AmountDlgKeys, HardwareKeysDriveTheKeypad) {
    const KeyRow& row = GetParam();
    QString shown;
    int focused = 0;
    Run(0, 0x11, [&](Dialog& dlg) {
        for (int key : row.keys) {
            const bool pad = key & kPad;
            PressKeyInWindow(dlg, key & ~kPad, pad ? Qt::KeypadModifier : Qt::NoModifier);
        }
        shown = Text(dlg, kAmountEdit);
        focused = dlg.FocusedControlId();
        Click(dlg, kCancel);
    });
    EXPECT_EQ(shown.toStdString(), row.shown);
    EXPECT_EQ(focused, kNext);
}

const KeyRow kKeyRows[] = {
    {"Digits", {Qt::Key_1, Qt::Key_2, Qt::Key_3}, "123"},
    {"PadDigits", {kPad | Qt::Key_4, kPad | Qt::Key_0}, "40"},
    {"RightArrowAdds", {Qt::Key_7, Qt::Key_Right, Qt::Key_5, Qt::Key_Right}, "12"},
    {"PadPlusAdds", {Qt::Key_7, kPad | Qt::Key_Plus, Qt::Key_5, kPad | Qt::Key_Plus}, "12"},
    {"LeftArrowSubtracts", {Qt::Key_7, Qt::Key_Left, Qt::Key_5, Qt::Key_Left}, "2"},
    {"PadMinusSubtracts", {Qt::Key_7, kPad | Qt::Key_Minus, Qt::Key_5, kPad | Qt::Key_Minus}, "2"},
    {"UpArrowMultiplies", {Qt::Key_7, Qt::Key_Up, Qt::Key_5, Qt::Key_Up}, "35"},
    {"PadTimesMultiplies", {Qt::Key_7, kPad | Qt::Key_Asterisk, Qt::Key_5, Qt::Key_Up}, "35"},
    {"DownArrowDivides", {Qt::Key_9, Qt::Key_Down, Qt::Key_2, Qt::Key_Down}, "4"},
    {"PadSlashDivides", {Qt::Key_9, kPad | Qt::Key_Slash, Qt::Key_2, Qt::Key_Down}, "4"},
    {"BackspaceDropsDigit", {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_Backspace}, "12"},
};

INSTANTIATE_TEST_SUITE_P(AmountDlg, AmountDlgKeys, ::testing::ValuesIn(kKeyRows),
                         [](const auto& row) { return std::string(row.param.name); });

// Enter and F2 confirm with the button shown: next on the amount page, finish
// on the single step the entry edit dialog opens (which takes only a finish).
TEST_F(AmountDlgTest, EnterAndF2ConfirmWithTheShownButton) {
    for (const unsigned options : {0x11u, 0x12u}) {
        const int button = options == 0x11u ? kNext : kFinish;
        for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_F2}) {
            int focused = 0;
            const int result = Run(0, options, [&](Dialog& dlg) {
                PressKeyInWindow(dlg, Qt::Key_6);
                focused = dlg.FocusedControlId();
                PressKeyInWindow(dlg, key);
            });
            EXPECT_EQ(focused, button) << options;
            EXPECT_EQ(result, button) << options << " " << key;
            EXPECT_EQ(handedBack, 6) << options << " " << key;
        }
    }
}

TEST_F(AmountDlgTest, FocusOnAmountEditMovesToConfirmButton) {
    int focused = 0;
    Run(0, 0x11, [&](Dialog& dlg) {
        dlg.GotoDlgCtrl(kAmountEdit);
        QApplication::processEvents();
        focused = dlg.FocusedControlId();
        Click(dlg, kCancel);
    });
    EXPECT_EQ(focused, kNext);
}

TEST_F(AmountDlgTest, OptionsHideTheButtonsThePageHasNoUseFor) {
    struct Row {
        unsigned options;
        std::vector<int> shown, hidden;
    };
    for (const Row& row : {Row{0x11, {kNext, kCancel}, {kFinish, kBack}},
                           Row{0x12, {kFinish, kCancel}, {kNext, kBack}}}) {
        Run(0, row.options, [&](Dialog& dlg) {
            for (int id : row.shown)
                EXPECT_TRUE(IsShown(dlg, id)) << row.options << "/" << id;
            for (int id : row.hidden)
                EXPECT_FALSE(IsShown(dlg, id)) << row.options << "/" << id;
            Click(dlg, kCancel);
        });
    }
}

TEST_F(AmountDlgTest, SoftKeysCancelAndConfirm) {
    plat::SetPlatformIdentity(5, u"PocketPC"_s);
    const int next = Run(0, 0x11, [](Dialog& dlg) {
        Click(dlg, ButtonOf(u"９"_s));
        dlg.softKeyBar()->pressKey(1); // "次へ＞"
    });
    EXPECT_EQ(next, kNext);
    EXPECT_EQ(handedBack, 9);
    const int finish = Run(0, 0x12, [](Dialog& dlg) { dlg.softKeyBar()->pressKey(1); });
    EXPECT_EQ(finish, kFinish);
    const int cancel = Run(0, 0x12, [](Dialog& dlg) { dlg.softKeyBar()->pressKey(0); });
    EXPECT_EQ(cancel, kCancel);
}

} // namespace
