// Tool bars of the command bar (platforms without the soft-key bar). The
// images are cells of bitmap 145, one per command.
#include "res/Templates.h"

namespace tb::res {
namespace {

constexpr ToolButton kDay{32817, 0, u"日"};
constexpr ToolButton kWeek{32818, 1, u"週"};
constexpr ToolButton kMonth{32812, 2, u"月"};
constexpr ToolButton kYear{32837, 3, u"年"};
constexpr ToolButton kSeries{32921, 4, u"時系列集計"};
constexpr ToolButton kPrev{1031, 5, u"前の期間へ移動"};
constexpr ToolButton kToday{32830, 6, u"今日へ移動"};
constexpr ToolButton kNext{1033, 7, u"次の期間へ移動"};
constexpr ToolButton kNew{32831, 8, u"新規追加"};
constexpr ToolButton kTemplate{1044, 9, u"定番追加"};
constexpr ToolButton kFilter{32838, 10, u"フィルター"};
constexpr ToolButton kMonths{32929, 11, u"年間の月ごと集計"};
constexpr ToolButton kYears{32930, 12, u"過去１２年の集計"};
constexpr ToolButton kPrevYear{1031, 5, u"前年度に移動"};
constexpr ToolButton kNextYear{1033, 7, u"翌年度に移動"};
constexpr ToolButton kGap{};

constexpr ToolButton kSummaryButtons[] = {kDay,  kWeek,  kMonth, kYear, kGap, kSeries,  kGap,
                                          kPrev, kToday, kNext,  kGap,  kNew, kTemplate};
constexpr ToolButton kFilterButtons[] = {kDay,  kWeek, kMonth,  kYear, kGap, kPrev,    kToday,
                                         kNext, kGap,  kFilter, kGap,  kNew, kTemplate};
constexpr ToolButton kSeriesButtons[] = {kMonths, kYears, kGap, kPrevYear, kNextYear};

} // namespace

const ToolBarTemplate kToolBar129{129, 145, 16, kSummaryButtons};
const ToolBarTemplate kToolBar130{130, 145, 16, kFilterButtons};
const ToolBarTemplate kToolBar131{131, 145, 16, kSeriesButtons};

} // namespace tb::res
