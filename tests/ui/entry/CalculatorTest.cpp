// The keypad calculator key by key, and what an entry field's drop-down offers.
#include "ui/entry/CalculatorState.h"
#include "ui/entry/ComboChoices.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace {

using Calc = CalculatorState;
// Keys as on the keypad, separated by spaces: digits (typed one by one), "00", "000",
// + - x / =, T+ T- (tax), C (C/CE) and B (Backspace).
void Press(Calc& calc, const QString& keys) {
    static const std::map<QString, void (Calc::*)()> named = {
        {u"00"_s, &Calc::pressDoubleZero}, {u"000"_s, &Calc::pressTripleZero},
        {u"T+"_s, &Calc::pressTaxPlus},    {u"T-"_s, &Calc::pressTaxMinus},
        {u"C"_s, &Calc::pressClear},       {u"B"_s, &Calc::pressBackspace}};
    using enum Calc::Op;
    const Calc::Op operators[] = {Plus, Minus, Times, Divide, Equals};
    for (const QString& key : keys.split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype op = key.size() == 1 ? u"+-x/="_s.indexOf(key) : -1;
        if (const auto it = named.find(key); it != named.end())
            (calc.*it->second)();
        else if (op >= 0)
            calc.pressOperator(operators[op]);
        else
            for (QChar c : key) {
                ASSERT_TRUE(c.isDigit()) << key.toStdString();
                calc.pressDigit(c.digitValue());
            }
    }
}

// Name, the amount opened on, keys, display, what is handed back (empty: nothing may be).
using KeyRow =
    std::tuple<const char*, std::int32_t, const char*, const char*, std::optional<std::int32_t>>;
const KeyRow kKeyRows[] = {
    {"OpensOnLargestIncome", -2000000000, "", "2000000000", -2000000000},
    {"OpensDamagedPastLimitInError", 2000000001, "", "E", std::nullopt},
    {"OpensDamagedSmallestInt32InError", INT32_MIN, "", "E", std::nullopt},
    {"OpenedAmountReplacedByFirstDigitKeepingIncome", -800, "3", "3", -3},
    {"NoPrecedence", 0, "2 + 3 x 4 =", "20", 20},
    {"LeadingZerosVanishDivisionTruncates", 0, "0 0 7 / 2 =", "3", 3},
    {"NegativeDivisionTruncatesTowardZero", 0, "0 - 7 = / 2 =", "-3", -3},
    {"EqualsPendingKeepsNewNumber", 0, "5 = 3 +", "3", 3},
    {"TaxPlusTruncates", 0, "99 T+", "103", 103},
    {"TaxKeepsPendingOperator", 0, "100 + 1000 T+ =", "2100", 2100},
    {"TaxMinusNeedsWideIntermediate", 0, "2000000000 T-", "1904761904", 1904761904},
    {"TaxOnNegative", 0, "0 - 1000 = T+", "-1050", -1050},
    {"ClearTwiceClearsAll", 0, "5 + 3 C C 4 =", "4", 4},
    {"ClearEntryKeepsPendingAlsoAfterADigit", 0, "5 + 3 C 4 C 2 =", "7", 7},
    {"ZeroKeysPastLimitNotTaken", 0, "30000 000 00", "30000000", 30000000},
    {"NegativeLimitReached", 0, "0 - 2000000000 =", "-2000000000", -2000000000},
    {"BackspaceOnNegativeThenDigit", 0, "100 - 300 = B 5", "-205", -205},
    {"ZeroDividedByZeroThenOnlyClearIsTaken", 0, "0 / 0 + 7 + 00 T+ B", "E", std::nullopt},
    {"SumPastLimit", 0, "2000000000 + 1 =", "E", std::nullopt},
    {"DifferencePastNegativeLimit", 0, "0 - 2000000000 - 1 =", "E", std::nullopt},
    {"ProductPastInt32", 0, "50000 x 50000 =", "E", std::nullopt},
    {"TaxPlusPastLimit", 0, "2000000000 T+", "E", std::nullopt},
    {"ClearAfterErrorLeavesNoPendingOperator", 0, "9 + 1 / 0 = C 4 =", "4", 4},
    {"IncomeOnANegativeResultIsAnExpense", -100, "- 300 =", "-200", 200},
};

TEST(CalculatorKeySequence, ShowsAndHandsBack) {
    for (const auto& [name, given, keys, display, result] : kKeyRows) {
        SCOPED_TRACE(name);
        Calc calc;
        calc.open(given);
        Press(calc, QString::fromUtf8(keys));
        EXPECT_EQ(calc.displayText().toStdString(), display);
        EXPECT_EQ(calc.signedResult(), result);
    }
}

// A drop-down's items and selection (after ':') for a list and the value to show.
TEST(ComboChoices, ItemsAndSelection) {
    const auto offered = [](const char* list, const char* value) {
        const ComboChoices c =
            ChoicesWithValue(QString::fromUtf8(list).split(u' '), QString::fromUtf8(value));
        return c.items.join(u' ') + u':' + QString::number(c.selected);
    };
    EXPECT_EQ(offered("現金 カード 現金", "現金"), u"現金 カード 現金:2"_s); // the last of repeats
    EXPECT_EQ(offered("JR", "jr"), u"JR jr:1"_s);                            // letter case counts
}

} // namespace
