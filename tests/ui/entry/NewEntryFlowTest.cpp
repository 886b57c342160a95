// The flow's state without widgets, also for ends the pages never hand back
// (a finish on the amount page, a next on the payee page).
#include "ui/entry/NewEntryFlow.h"

#include <functional>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using Step = NewEntryFlow::Step;

namespace {

constexpr plat::TimeValue kMarch10 = 1205152496; // 2008-03-10 12:34:56
constexpr plat::SYSTEMTIME kJune1{2008, 6, 0, 1, 8, 0, 0, 0};

using Action = std::function<void(NewEntryFlow&)>;
Action Amount(int result, std::int32_t amount) {
    return [=](NewEntryFlow& f) {
        ASSERT_EQ(f.step(), Step::Amount);
        f.AmountPageEnded(result, amount);
    };
}
Action Category(int result, const char* category) {
    return [=](NewEntryFlow& f) {
        ASSERT_EQ(f.step(), Step::Category);
        f.CategoryPageEnded(result, QString::fromUtf8(category), u"昼食"_s, kJune1);
    };
}
Action Payee(int result, const char* payee) {
    return [=](NewEntryFlow& f) {
        ASSERT_EQ(f.step(), Step::Payee);
        f.PayeePageEnded(result, QString::fromUtf8(payee), u"カード"_s, false);
    };
}

// Category, remark, payee, amount and month/day of the record.
QString Summary(const InOutRecord& r) {
    return u"%1|%2|%3|%4|%5/%6"_s.arg(FieldText(r.category), FieldText(r.remark),
                                      FieldText(r.payee), QString::number(r.amount),
                                      QString::number(r.date.wMonth), QString::number(r.date.wDay));
}

template <class... A> std::vector<Action> Steps(A... actions) {
    return {actions...};
}

// Name, the step reached, the record built (Summary) and the pages' ends.
const std::tuple<const char*, Step, const char*, std::vector<Action>> kPathRows[] = {
    {"CancelOnAmount", Step::Cancelled, "|その他|その他|0|3/10", Steps(Amount(2, 5))},
    {"CancelOnCategory", Step::Cancelled, "|その他|その他|9|3/10",
     Steps(Amount(1, 9), Category(2, "食費"))},
    {"FinishOnAmount", Step::Store, "|その他|その他|500|3/10", Steps(Amount(3, 500))},
    {"NextOnPayeeStores", Step::Store, "食費|昼食|JR|1|6/1",
     Steps(Amount(1, 1), Category(1, "食費"), Payee(1, "JR"))},
    {"BackFromPayeeKeepsRemarkAndDate", Step::Category, "食費|昼食|JR|1|6/1",
     Steps(Amount(1, 1), Category(1, "食費"), Payee(4, "JR"))},
    {"FinishOnCategoryAfterBack", Step::Store, "給与|昼食|JR|1|6/1",
     Steps(Amount(1, 1), Category(1, "食費"), Payee(4, "JR"), Category(3, "給与"))},
    {"LongCategoryCutToFifteen", Step::Payee, "あいうえおかきくけこさしすせそ|昼食|その他|10|6/1",
     Steps(Amount(1, 10), Category(1, "あいうえおかきくけこさしすせそたち"))},
};

TEST(NewEntryFlowPaths, EndsWithTheRecordThePagesBuilt) {
    for (const auto& [name, end, record, actions] : kPathRows) {
        SCOPED_TRACE(name);
        NewEntryFlow flow(kMarch10);
        for (const Action& act : actions)
            act(flow);
        EXPECT_EQ(flow.step(), end);
        EXPECT_EQ(Summary(flow.record()).toStdString(), record);
    }
}

} // namespace
