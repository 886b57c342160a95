// The flow's state without widgets: which page follows each result, what each
// page's values do to the record, the template slot it fills, and storing.
#include "support/DeviceTest.h"

#include "ledger/CMyTALYDoc.h"
#include "ui/entry/NewEntryFlow.h"

#include <cstring>
#include <functional>

using namespace Qt::Literals::StringLiterals;
using Step = NewEntryFlow::Step;

namespace {

constexpr plat::TimeValue kMarch10 = 1205152496; // 2008-03-10 12:34:56, a Monday

plat::SYSTEMTIME June1() {
    plat::SYSTEMTIME st{};
    st.wYear = 2008;
    st.wMonth = 6;
    st.wDayOfWeek = 0;
    st.wDay = 1;
    st.wHour = 8;
    return st;
}

bool SameDate(const plat::SYSTEMTIME& a, const plat::SYSTEMTIME& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(NewEntryFlowStart, RecordHasPresetsTodayAndNoOtherBytes) {
    const InOutRecord r = NewEntryFlow::InitialRecord(kMarch10);
    EXPECT_EQ(FieldText(r.remark), u"その他"_s);
    EXPECT_EQ(FieldText(r.payee), u"その他"_s);
    EXPECT_EQ(FieldText(r.payMethod), u"現金"_s);
    EXPECT_EQ(FieldText(r.category), QString());
    EXPECT_EQ(r.id, 0);
    EXPECT_EQ(r.amount, 0);
    EXPECT_EQ(r.date.wYear, 2008);
    EXPECT_EQ(r.date.wMonth, 3);
    EXPECT_EQ(r.date.wDay, 10);
    EXPECT_EQ(r.date.wDayOfWeek, 1);
    EXPECT_EQ(r.date.wHour, 12);
    for (std::uint8_t b : r.reserved)
        EXPECT_EQ(b, 0);
    // The unused units after each text's NUL are zero too.
    EXPECT_EQ(r.remark[4], u'\0');
    EXPECT_EQ(r.payMethod[15], u'\0');
}

// --- Transitions: the pages a run visits for a sequence of results -----------

using Action = std::function<void(NewEntryFlow&)>;
struct PathRow {
    const char* name;
    std::vector<Action> actions;
    Step end;
    const char* category;
    const char* payee;
    std::int32_t amount;
};
void PrintTo(const PathRow& row, std::ostream* os) {
    *os << row.name;
}

Action Amount(int result, std::int32_t amount) {
    return [=](NewEntryFlow& f) {
        ASSERT_EQ(f.step(), Step::Amount);
        f.AmountPageEnded(result, amount);
    };
}
Action Category(int result, const char* category) {
    return [=](NewEntryFlow& f) {
        ASSERT_EQ(f.step(), Step::Category);
        f.CategoryPageEnded(result, QString::fromUtf8(category), u"昼食"_s, June1());
    };
}
Action Payee(int result, const char* payee, bool asTemplate = false) {
    return [=](NewEntryFlow& f) {
        ASSERT_EQ(f.step(), Step::Payee);
        f.PayeePageEnded(result, QString::fromUtf8(payee), u"カード"_s, asTemplate);
    };
}

class NewEntryFlowPaths : public ::testing::TestWithParam<PathRow> {};

TEST_P(NewEntryFlowPaths, EndsWithTheRecordThePagesBuilt) {
    const PathRow& row = GetParam();
    NewEntryFlow flow(kMarch10);
    for (const Action& act : row.actions)
        act(flow);
    EXPECT_EQ(flow.step(), row.end);
    EXPECT_EQ(FieldText(flow.record().category), QString::fromUtf8(row.category));
    EXPECT_EQ(FieldText(flow.record().payee), QString::fromUtf8(row.payee));
    EXPECT_EQ(flow.record().amount, row.amount);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NewEntryFlowPaths,
    ::testing::Values(
        PathRow{"FinishOnAmount", {Amount(3, 500)}, Step::Store, "", "その他", 500},
        PathRow{"CancelOnAmountKeepsNothing", {Amount(2, 500)}, Step::Cancelled, "", "その他", 0},
        PathRow{"FinishOnCategory",
                {Amount(1, 12000), Category(3, "食費")},
                Step::Store,
                "食費",
                "その他",
                12000},
        PathRow{"NextThroughPayee",
                {Amount(1, 12000), Category(1, "食費"), Payee(3, "JR")},
                Step::Store,
                "食費",
                "JR",
                12000},
        PathRow{"NextOnPayeeStoresToo",
                {Amount(1, 1), Category(1, "食費"), Payee(1, "JR")},
                Step::Store,
                "食費",
                "JR",
                1},
        PathRow{"BackFromCategoryToAmount",
                {Amount(1, 100), Category(4, "給与"), Amount(1, -300)},
                Step::Category,
                "給与",
                "その他",
                -300},
        PathRow{"BackFromPayeeKeepsItsTexts",
                {Amount(1, 100), Category(1, "食費"), Payee(4, "コンビニ"), Category(3, "交通費")},
                Step::Store,
                "交通費",
                "コンビニ",
                100},
        PathRow{"CancelOnPayee",
                {Amount(1, 100), Category(1, "食費"), Payee(2, "JR")},
                Step::Cancelled,
                "食費",
                "その他",
                100},
        PathRow{"TemplateAskedThenStored",
                {Amount(1, 100), Category(1, "食費"), Payee(3, "JR", true),
                 [](NewEntryFlow& f) {
                     ASSERT_EQ(f.step(), Step::TemplateSave);
                     f.TemplateSaveEnded();
                 }},
                Step::Store,
                "食費",
                "JR",
                100}));

TEST(NewEntryFlowDates, CategoryPageDateWinsAndBackDoesNotChangeIt) {
    NewEntryFlow flow(kMarch10);
    flow.AmountPageEnded(1, 10);
    flow.CategoryPageEnded(1, u"食費"_s, u"昼食"_s, June1());
    EXPECT_TRUE(SameDate(flow.record().date, June1()));
    EXPECT_EQ(flow.initialDate(), kMarch10); // what the category page shows again
    flow.PayeePageEnded(4, u"JR"_s, u"現金"_s, false);
    EXPECT_TRUE(SameDate(flow.record().date, June1()));
    EXPECT_EQ(FieldText(flow.record().remark), u"昼食"_s);
}

TEST(NewEntryFlowTexts, LongTextsAreCutToFifteen) {
    NewEntryFlow flow(kMarch10);
    flow.AmountPageEnded(1, 10);
    flow.CategoryPageEnded(1, u"あいうえおかきくけこさしすせそたち"_s, u"x"_s, June1());
    EXPECT_EQ(FieldText(flow.record().category), u"あいうえおかきくけこさしすせそ"_s);
}

// --- Templates and storing ------------------------------------------------

class NewEntryStoreTest : public DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        doc = std::make_unique<CMyTALYDoc>();
    }
    void TearDown() override {
        doc.reset();
        DeviceTest::TearDown();
    }
    void UseSlots(int n) {
        for (int i = 0; i < n; ++i)
            doc->AddTemplate(QStringLiteral(u"定番"), InOutRecord{});
    }
    std::unique_ptr<CMyTALYDoc> doc;
};

TEST_F(NewEntryStoreTest, TemplateBoxNeedsAFreeSlot) {
    UseSlots(kTemplateSlots - 1);
    EXPECT_TRUE(HasFreeTemplateSlot(doc->Templates()));
    UseSlots(1);
    EXPECT_FALSE(HasFreeTemplateSlot(doc->Templates()));
}

TEST_F(NewEntryStoreTest, SavingOnEveryChangeWritesTheEntryAtOnce) {
    const QString ledger = doc->DataPath(u"\\収支.DAT"_s);
    InOutRecord r = NewEntryFlow::InitialRecord(kMarch10);
    r.amount = 12000;
    ASSERT_TRUE(doc->AddRecordAndSave(r));
    ASSERT_TRUE(doc->AddRecordAndSave(r));
    EXPECT_EQ(doc->Count(), 2u);
    EXPECT_EQ(doc->Tail()->record.id, 2);
    EXPECT_EQ(readFile(ledger).size(), 16 + 2 * 184);
}

TEST_F(NewEntryStoreTest, SavingOnExitLeavesTheFileForLater) {
    doc->m_bSaveOnChange = false;
    const QString ledger = doc->DataPath(u"\\収支.DAT"_s);
    const QByteArray before = fileExists(ledger) ? readFile(ledger) : QByteArray();
    ASSERT_TRUE(doc->AddRecordAndSave(NewEntryFlow::InitialRecord(kMarch10)));
    EXPECT_EQ(doc->Count(), 1u);
    EXPECT_TRUE(doc->IsDirty());
    EXPECT_EQ(fileExists(ledger) ? readFile(ledger) : QByteArray(), before);
}

} // namespace
