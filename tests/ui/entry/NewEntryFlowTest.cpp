// The flow's state without widgets: which page follows each result, what each
// page's values do to the record, and storing the entry.
#include "support/DocTest.h"

#include "ui/entry/NewEntryFlow.h"

#include <cstring>
#include <functional>

using namespace Qt::Literals::StringLiterals;
using Step = NewEntryFlow::Step;

namespace {

constexpr plat::TimeValue kMarch10 = 1205152496; // 2008-03-10 12:34:56, a Monday

constexpr plat::SYSTEMTIME kJune1{2008, 6, 0, 1, 8, 0, 0, 0};

bool SameDate(const plat::SYSTEMTIME& a, const plat::SYSTEMTIME& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// --- Transitions: the pages a run visits for a sequence of results -----------

using Action = std::function<void(NewEntryFlow&)>;
struct PathRow {
    const char* name;
    Step end;
    const char* category;
    const char* payee;
    std::int32_t amount;
    std::vector<Action> actions;
};

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
Action Payee(int result, const char* payee, bool asTemplate = false) {
    return [=](NewEntryFlow& f) {
        ASSERT_EQ(f.step(), Step::Payee);
        f.PayeePageEnded(result, QString::fromUtf8(payee), u"カード"_s, asTemplate);
    };
}

template <class... A> std::vector<Action> Steps(A... actions) {
    return {actions...};
}

const PathRow kPathRows[] = {
    {"FinishOnAmount", Step::Store, "", "その他", 500, {Amount(3, 500)}},
    {"NextOnPayeeStoresToo", Step::Store, "食費", "JR", 1,
     Steps(Amount(1, 1), Category(1, "食費"), Payee(1, "JR"))},
    {"BackFromCategoryToAmount", Step::Category, "給与", "その他", -300,
     Steps(Amount(1, 100), Category(4, "給与"), Amount(1, -300))},
    {"BackFromPayeeKeepsItsTexts", Step::Store, "交通費", "コンビニ", 100,
     Steps(Amount(1, 100), Category(1, "食費"), Payee(4, "コンビニ"), Category(3, "交通費"))},
    {"LongCategoryCutToFifteen", Step::Payee, "あいうえおかきくけこさしすせそ", "その他", 10,
     Steps(Amount(1, 10), Category(1, "あいうえおかきくけこさしすせそたち"))},
};

TEST(NewEntryFlowPaths, EndsWithTheRecordThePagesBuilt) {
    for (const PathRow& row : kPathRows) {
        SCOPED_TRACE(row.name);
        NewEntryFlow flow(kMarch10);
        for (const Action& act : row.actions)
            act(flow);
        EXPECT_EQ(flow.step(), row.end);
        EXPECT_EQ(FieldText(flow.record().category), QString::fromUtf8(row.category));
        EXPECT_EQ(FieldText(flow.record().payee), QString::fromUtf8(row.payee));
        EXPECT_EQ(flow.record().amount, row.amount);
    }
}

TEST(NewEntryFlowDates, CategoryPageDateWinsAndBackDoesNotChangeIt) {
    NewEntryFlow flow(kMarch10);
    flow.AmountPageEnded(1, 10);
    flow.CategoryPageEnded(1, u"食費"_s, u"昼食"_s, kJune1);
    EXPECT_TRUE(SameDate(flow.record().date, kJune1));
    EXPECT_EQ(flow.initialDate(), kMarch10); // what the category page shows again
    flow.PayeePageEnded(4, u"JR"_s, u"現金"_s, false);
    EXPECT_TRUE(SameDate(flow.record().date, kJune1));
    EXPECT_EQ(FieldText(flow.record().remark), u"昼食"_s);
}

// --- Storing ------------------------------------------------------------------

class NewEntryStoreTest : public OpenDocTest {};

TEST_F(NewEntryStoreTest, EntryIsWrittenAtOnceOnlyWhenSavingOnEveryChange) {
    ASSERT_TRUE(doc->AddRecordAndSave(record(bytes::Numbered(1))));
    EXPECT_EQ(bytes::AmountsInLedger(readData(datafile::kLedger)), std::vector<std::int32_t>{100});
    doc->m_bSaveOnChange = false;
    ASSERT_TRUE(doc->AddRecordAndSave(record(bytes::Numbered(2))));
    EXPECT_EQ(doc->Count(), 2u);
    EXPECT_TRUE(doc->IsDirty());
    EXPECT_EQ(bytes::AmountsInLedger(readData(datafile::kLedger)), std::vector<std::int32_t>{100});
}

} // namespace
