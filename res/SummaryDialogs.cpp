// Dialog templates of the summary, its filter and the time series.
#include "res/Templates.h"

namespace tb::res {
namespace {

using K = ControlKind;

constexpr unsigned kListStyle = SingleSelection | ShowSelAlways | FullRowSelect | ModelView;

// The summary lays its controls out again for its size; these are the
// portrait handset's places.
constexpr ControlTemplate kSummaryControls[] = {
    {1029, K::Static, u"2001年08月01日（水）", {4, 4, 204, 18}},
    {1057, K::DatePicker, u"", {212, 4, 24, 18}, ButtonOnly},
    {1031, K::Button, u"←", {0, 0, 20, 18}, StyleNone, false, false},
    {1033, K::Button, u"→", {0, 0, 20, 18}, StyleNone, false, false},
    {1045, K::OwnerDrawButton, u"戻", {4, 26, 36, 20}, StyleNone, true, false},
    {1089, K::Static, u"分類", {44, 28, 192, 18}},
    {1030, K::ListView, u"", {4, 51, 232, 150}, kListStyle},
    {1134, K::RadioButton, u"支出", {4, 205, 44, 20}, Group | PushLike},
    {1135, K::RadioButton, u"収入", {50, 205, 44, 20}, PushLike},
    {1040, K::Button, u"変更", {148, 205, 42, 20}},
    {1041, K::Button, u"削除", {194, 205, 42, 20}},
    {1039, K::Static, u"1000円", {4, 228, 112, 16}},
    {1138, K::Static, u"残高：", {124, 228, 112, 16}},
    {1042, K::Static, u"1000円", {4, 247, 112, 16}},
};

constexpr ControlTemplate kFilterControls[] = {
    {1094, K::CheckBox, u"文字列フィルター（備考にかかります）", {5, 5, 230, 34}, MultiLine},
    {1064, K::Edit, u"", {5, 42, 230, 20}},
    {-1, K::GroupBox, u"金額の範囲", {5, 68, 230, 72}},
    {1095, K::CheckBox, u"", {12, 88, 20, 20}},
    {1097, K::Edit, u"", {34, 88, 120, 20}, AlignRight},
    {-1, K::Static, u"円以上", {158, 90, 70, 16}},
    {1096, K::CheckBox, u"", {12, 112, 20, 20}},
    {1098, K::Edit, u"", {34, 112, 120, 20}, AlignRight},
    {-1, K::Static, u"円以下", {158, 114, 70, 16}},
    {1, K::DefaultButton, u"フィルターセット", {5, 148, 112, 24}},
    {2, K::Button, u"フィルターオフ", {123, 148, 112, 24}},
};

constexpr ControlTemplate kSeriesControls[] = {
    {1029, K::Static, u"2001年08月01日（水）", {4, 4, 196, 18}, StyleNone, false},
    {1057, K::DatePicker, u"", {204, 4, 32, 18}, StyleNone, false},
    {1089, K::Static, u"分類", {4, 4, 232, 18}},
    {1030, K::ListView, u"", {4, 27, 232, 236}, SingleSelection | ShowSelAlways},
};

} // namespace

const DialogTemplate kDialog132{132, u"集計表示", {0, 0, 240, 268}, kSummaryControls};
const DialogTemplate kDialog142{142, u"フィルター設定", {0, 0, 240, 178}, kFilterControls};
const DialogTemplate kDialog169{169, u"時系列集計", {0, 0, 240, 268}, kSeriesControls};

} // namespace tb::res
