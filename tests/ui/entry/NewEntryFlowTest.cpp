// The flow's state without widgets, also for ends the pages never hand back
// (a finish on the amount page, a next on the payee page).
#include "ui/entry/NewEntryFlow.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using Step = NewEntryFlow::Step;

namespace {

// Name, the step reached, the record built (category|remark|payee|amount|month/day) and the
// pages' ends in turn: A, C or P for the amount, category or payee page, its result, and after
// ':' the amount, the category (with the remark 昼食 and June 1) or the payee (with the card).
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
