// The keypad calculator, driven key by key: named rows of key sequences and
// the display and handed-back amount each must give.
#include "ui/entry/CalculatorState.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <optional>

namespace {

using Op = CalculatorState::Op;

// Keys are written as on the keypad, separated by spaces: digits (a run of
// digits is typed key by key), "00", "000", + - x / =, T+ T- (tax), C (C/CE),
// B (Backspace).
void Press(CalculatorState& calc, const QString& keys) {
    for (const QString& key : keys.split(u' ', Qt::SkipEmptyParts)) {
        if (key == u"00")
            calc.pressDoubleZero();
        else if (key == u"000")
            calc.pressTripleZero();
        else if (key == u"+")
            calc.pressOperator(Op::Plus);
        else if (key == u"-")
            calc.pressOperator(Op::Minus);
        else if (key == u"x")
            calc.pressOperator(Op::Times);
        else if (key == u"/")
            calc.pressOperator(Op::Divide);
        else if (key == u"=")
            calc.pressOperator(Op::Equals);
        else if (key == u"T+")
            calc.pressTaxPlus();
        else if (key == u"T-")
            calc.pressTaxMinus();
        else if (key == u"C")
            calc.pressClear();
        else if (key == u"B")
            calc.pressBackspace();
        else
            for (QChar c : key) {
                ASSERT_TRUE(c.isDigit()) << key.toStdString();
                calc.pressDigit(c.digitValue());
            }
    }
}

struct KeyRow {
    const char* name;
    const char* keys;
    const char* display;
    std::optional<std::int32_t> result; // empty: nothing may be handed back
};
void PrintTo(const KeyRow& row, std::ostream* os) {
    *os << row.name;
}

class KeySequence : public ::testing::TestWithParam<KeyRow> {};

TEST_P(KeySequence, ShowsAndHandsBack) {
    const KeyRow& row = GetParam();
    CalculatorState calc;
    calc.open(0);
    Press(calc, QString::fromUtf8(row.keys));
    EXPECT_EQ(calc.displayText().toStdString(), row.display);
    EXPECT_EQ(calc.signedResult(), row.result);
}

const KeyRow kKeyRows[] = {
    // Typing numbers.
    {"DigitsThenTripleZero", "1 2 000", "12000", 12000},
    {"DigitThenDoubleZero", "5 00", "500", 500},
    {"LeadingZerosVanish", "0 0 7", "7", 7},
    {"BackspaceDropsLastDigit", "1234 B", "123", 123},
    {"BackspaceOnSingleDigit", "7 B", "0", 0},
    // Operators without precedence.
    {"NoPrecedence", "2 + 3 x 4 =", "20", 20},
    {"SecondOperatorAppliesPendingAgain", "5 + +", "10", 10},
    {"PendingNotCarriedOutOnNext", "1 0 0 + 5 0", "50", 50},
    {"SubtractBelowZero", "100 - 300 =", "-200", -200},
    {"DivisionTruncates", "7 / 2 =", "3", 3},
    {"NegativeDivisionTruncatesTowardZero", "0 - 7 = / 2 =", "-3", -3},
    {"EqualsPendingKeepsNewNumber", "5 = 3 +", "3", 3},
    {"NewNumberAfterResult", "2 + 3 = 4", "4", 4},
    {"BackspaceAfterOperatorEditsShownValue", "12 + B 5 =", "27", 27},
    // Tax keys.
    {"TaxPlusOn1000", "1000 T+", "1050", 1050},
    {"TaxMinusOn1050", "1050 T-", "1000", 1000},
    {"TaxPlusTruncates", "99 T+", "103", 103},
    {"TaxMinusOnOne", "1 T-", "0", 0},
    {"TaxKeepsPendingOperator", "100 + 1000 T+ =", "2100", 2100},
    {"TaxPlusNeedsWideIntermediate", "20452226 T+", "21474837", 21474837},
    {"TaxMinusNeedsWideIntermediate", "2000000000 T-", "1904761904", 1904761904},
    {"TaxOnNegative", "0 - 1000 = T+", "-1050", -1050},
    // C/CE once clears the entry, twice everything.
    {"ClearEntryKeepsPending", "5 + 3 C 4 =", "9", 9},
    {"ClearTwiceClearsAll", "5 + 3 C C 4 =", "4", 4},
    {"ClearShowsZero", "5 + 3 C", "0", 0},
    {"BackspaceAfterClear", "5 + 3 C B 4 =", "9", 9},
    // Limits: the display is full at 2,000,000,000.
    {"LimitItselfIsTaken", "2000000000", "2000000000", 2000000000},
    {"DigitPastLimitNotTaken", "2000000000 1", "2000000000", 2000000000},
    {"TripleZeroPastLimitNotTaken", "3000000 000", "3000000", 3000000},
    {"DoubleZeroPastLimitNotTaken", "30000000 00", "30000000", 30000000},
    {"NegativeLimitReached", "0 - 2000000000 =", "-2000000000", -2000000000},
    {"BackspaceOnNegativeThenDigit", "100 - 300 = B 5", "-205", -205},
    // Limits: the error state.
    {"DivisionByZero", "5 / 0 =", "E", std::nullopt},
    {"ZeroDividedByZero", "0 / 0 +", "E", std::nullopt},
    {"SumPastLimit", "2000000000 + 1 =", "E", std::nullopt},
    {"DifferencePastNegativeLimit", "0 - 2000000000 - 1 =", "E", std::nullopt},
    {"ProductPastInt32", "50000 x 50000 =", "E", std::nullopt},
    {"ProductPastInt64Never", "2000000000 x 2000000000 x 2000000000 =", "E", std::nullopt},
    {"TaxPlusPastLimit", "2000000000 T+", "E", std::nullopt},
    {"ErrorIgnoresDigitsAndOperators", "5 / 0 = 7 + 00 T+ B", "E", std::nullopt},
    {"OneClearLeavesError", "5 / 0 = C", "0", 0},
    {"AfterErrorCalculatesAfresh", "5 / 0 = C 4 + 1 =", "5", 5},
};

INSTANTIATE_TEST_SUITE_P(Calculator, KeySequence, ::testing::ValuesIn(kKeyRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(CalculatorIncome, IncomeNegatesHandedBackAmount) {
    CalculatorState calc;
    calc.open(0);
    Press(calc, QStringLiteral("100 - 300 ="));
    EXPECT_EQ(calc.signedResult(), -200); // an income of 200 to the callers
    calc.setIncome(true);
    EXPECT_EQ(calc.signedResult(), 200); // an expense
    Press(calc, QStringLiteral("2000000000"));
    EXPECT_EQ(calc.signedResult(), -2000000000);
}

struct OpenRow {
    const char* name;
    std::int32_t given;
    const char* display;
    bool income;
    std::optional<std::int32_t> result;
};
void PrintTo(const OpenRow& row, std::ostream* os) {
    *os << row.name;
}

class Opening : public ::testing::TestWithParam<OpenRow> {};

TEST_P(Opening, ShowsMagnitudeAndIncome) {
    const OpenRow& row = GetParam();
    CalculatorState calc;
    calc.open(row.given);
    EXPECT_EQ(calc.displayText().toStdString(), row.display);
    EXPECT_EQ(calc.income(), row.income);
    EXPECT_EQ(calc.signedResult(), row.result);
}

const OpenRow kOpenRows[] = {
    {"Zero", 0, "0", false, 0},
    {"Expense", 1500, "1500", false, 1500},
    {"Income", -1500, "1500", true, -1500},
    {"LargestIncome", -2000000000, "2000000000", true, -2000000000},
    {"DamagedPastLimit", 2000000001, "E", false, std::nullopt},
    {"DamagedSmallestInt32", INT32_MIN, "E", true, std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Calculator, Opening, ::testing::ValuesIn(kOpenRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(CalculatorState, OpenedAmountIsReplacedByFirstDigit) {
    CalculatorState calc;
    calc.open(-800);
    Press(calc, QStringLiteral("3"));
    EXPECT_EQ(calc.displayText(), QStringLiteral("3"));
    EXPECT_EQ(calc.signedResult(), -3); // the income flag stays
}

TEST(CalculatorState, StateBitsFollowTheKeys) {
    CalculatorState calc;
    calc.open(0);
    Press(calc, QStringLiteral("5"));
    EXPECT_EQ(calc.stateBits(), CalculatorState::kTyping);
    Press(calc, QStringLiteral("+"));
    EXPECT_EQ(calc.stateBits(), CalculatorState::kPending);
    EXPECT_EQ(calc.pendingOperator(), Op::Plus);
    EXPECT_EQ(calc.accumulator(), 5);
    Press(calc, QStringLiteral("3 C"));
    EXPECT_EQ(calc.stateBits(),
              CalculatorState::kTyping | CalculatorState::kPending | CalculatorState::kClearedOnce);
    EXPECT_EQ(calc.accumulator(), 5);
    Press(calc, QStringLiteral("C"));
    EXPECT_EQ(calc.stateBits(), 0u);
    EXPECT_EQ(calc.accumulator(), 0);
    Press(calc, QStringLiteral("1000 T+"));
    EXPECT_EQ(calc.stateBits(), CalculatorState::kPending);
    EXPECT_EQ(calc.accumulator(), 1050);
}

TEST(CalculatorState, ErrorStateClearsEverythingAndSingleClearLeavesIt) {
    CalculatorState calc;
    calc.open(0);
    Press(calc, QStringLiteral("9 + 1 / 0 ="));
    EXPECT_TRUE(calc.hasError());
    EXPECT_EQ(calc.accumulator(), 0);
    EXPECT_EQ(calc.pendingOperator(), Op::None);
    Press(calc, QStringLiteral("C"));
    EXPECT_FALSE(calc.hasError());
    EXPECT_EQ(calc.stateBits(), 0u);
}

} // namespace
