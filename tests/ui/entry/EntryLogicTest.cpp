// Entry logic without widgets: the keypad calculator key by key, what an entry field's
// drop-down offers, and the new-entry flow's steps.
#include "ui/entry/CalculatorState.h"
#include "ui/entry/ComboChoices.h"
#include "ui/entry/NewEntryFlow.h"

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

using Step = NewEntryFlow::Step;
// Name, the step reached, the record built (category|remark|payee|amount|month/day) and the
// pages' ends in turn, also those the pages never hand back (A3, P1): A, C or P for the amount,
// category or payee page, its result, and after ':' the amount, the category (with the remark
// 昼食 and June 1) or the payee (with the card).
const std::tuple<const char*, Step, const char*, const char*> kPaths[] = {
    {"CancelOnAmount", Step::Cancelled, "|その他|その他|0|3/10", "A2:5"},
    {"CancelOnCategory", Step::Cancelled, "|その他|その他|9|3/10", "A1:9 C2:食費"},
    {"FinishOnAmount", Step::Store, "|その他|その他|500|3/10", "A3:500"},
    {"NextOnPayeeStores", Step::Store, "食費|昼食|JR|1|6/1", "A1:1 C1:食費 P1:JR"},
    {"BackFromPayeeKeepsRemarkAndDate", Step::Category, "食費|昼食|JR|1|6/1", "A1:1 C1:食費 P4:JR"},
    {"LongCategoryCutToFifteen", Step::Payee, "あいうえおかきくけこさしすせそ|昼食|その他|10|6/1",
     "A1:10 C1:あいうえおかきくけこさしすせそたち"},
};

TEST(NewEntryFlowPaths, EndsWithTheRecordThePagesBuilt) {
    for (const auto& [name, end, record, ends] : kPaths) {
        SCOPED_TRACE(name);
        NewEntryFlow flow(1205152496); // 2008-03-10 12:34:56
        for (const QString& pageEnd : QString::fromUtf8(ends).split(u' ')) {
            const auto page = static_cast<Step>(u"ACP"_s.indexOf(pageEnd[0]));
            const int result = pageEnd[1].digitValue();
            const QString text = pageEnd.mid(3);
            ASSERT_EQ(flow.step(), page) << pageEnd.toStdString();
            if (page == Step::Amount)
                flow.AmountPageEnded(result, text.toInt());
            else if (page == Step::Category)
                flow.CategoryPageEnded(result, text, u"昼食"_s, {2008, 6, 0, 1, 8, 0, 0, 0});
            else
                flow.PayeePageEnded(result, text, u"カード"_s, false);
        }
        const InOutRecord& r = flow.record();
        EXPECT_EQ(flow.step(), end);
        const QString texts =
            QStringList{FieldText(r.category), FieldText(r.remark), FieldText(r.payee)}.join(u'|');
        EXPECT_EQ(u"%1|%2|%3/%4"_s.arg(texts).arg(r.amount).arg(r.date.wMonth).arg(r.date.wDay),
                  QString::fromUtf8(record));
    }
}

} // namespace
