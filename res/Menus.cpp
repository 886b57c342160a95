// Menu resources. As soft-key bars, the top-level items are the left and the
// right key.
#include "res/Templates.h"

namespace tb::res {
namespace {

constexpr MenuItem kMainFile[] = {
    Item(u"終了", 32795),          Separator(),
    Item(u"バージョン", 57664),    Separator(),
    Item(u"整理", 32791),          Item(u"項目編集", 32792),
    Item(u"オプション...", 32793),
};
constexpr MenuItem kMainData[] = {
    Item(u"新規追加", 32809), Item(u"定番追加", 1044), Separator(),
    Item(u"分類", 32778),     Item(u"備考", 32782),    Item(u"支払先", 32779),
    Item(u"支払方法", 32780), Item(u"日付", 32777),    Item(u"詳細表示", 32815),
};
constexpr MenuItem kMain[] = {Popup(u"ファイル", kMainFile), Popup(u"データ", kMainData)};

constexpr MenuItem kChangeDelete[] = {Item(u"変更", 1044), Item(u"削除", 1045)};
constexpr MenuItem kEditBar[] = {Popup(u"変更／削除", kChangeDelete), Item(u"終了", 1046)};

// The summary screen; the filter variant differs in one item of "表示".
constexpr MenuItem kSummaryData[] = {
    Item(u"新規追加", 32831), Item(u"定番追加", 1044), Separator(),
    Item(u"変更", 1040),      Item(u"削除", 1041),     Separator(),
    Item(u"閉じる", 1),
};
constexpr MenuItem kSummarySide[] = {Item(u"支出", 32869), Item(u"収入", 32870)};
constexpr MenuItem kSummaryPeriod[] = {Item(u"日", 32871), Item(u"週", 32872), Item(u"月", 32873),
                                       Item(u"年", 32874)};
constexpr MenuItem kSummaryView[] = {
    Item(u"前の期間へ移動", 1031),
    Item(u"次の期間へ移動", 1033),
    Item(u"今日へ移動", 32830),
    Item(u"指定日に移動...", 32920),
    Separator(),
    Item(u"時系列集計", 32921),
    Separator(),
    Popup(u"表示内容選択", kSummarySide),
    Separator(),
    Popup(u"表示期間選択", kSummaryPeriod),
};
constexpr MenuItem kFilterView[] = {
    Item(u"前の期間へ移動", 1031),
    Item(u"次の期間へ移動", 1033),
    Item(u"今日へ移動", 32830),
    Item(u"指定日に移動...", 32920),
    Separator(),
    Item(u"フィルター", 32838),
    Separator(),
    Popup(u"表示内容選択", kSummarySide),
    Separator(),
    Popup(u"表示期間選択", kSummaryPeriod),
};
constexpr MenuItem kSummary[] = {Popup(u"データ", kSummaryData), Popup(u"表示", kSummaryView)};
constexpr MenuItem kFilter[] = {Popup(u"データ", kSummaryData), Popup(u"表示", kFilterView)};

// The pages of the new-entry flow.
constexpr MenuItem kBackCancel[] = {Item(u"戻る", 4), Item(u"キャンセル", 2)};
constexpr MenuItem kPageNext[] = {Popup(u"戻る／ｷｬﾝｾﾙ", kBackCancel), Item(u"次へ＞", 1)};
constexpr MenuItem kPageFinish[] = {Popup(u"戻る／ｷｬﾝｾﾙ", kBackCancel), Item(u"完了", 3)};

// Two-key bars: cancel on the left, the dialog's action on the right.
constexpr MenuItem kCancelNext[] = {Item(u"キャンセル", 2), Item(u"次へ＞", 1)};
constexpr MenuItem kCancelFinish[] = {Item(u"キャンセル", 2), Item(u"完了", 3)};
constexpr MenuItem kCancelSave[] = {Item(u"キャンセル", 2), Item(u"保存", 1)};
constexpr MenuItem kCancelDelete[] = {Item(u"キャンセル", 2), Item(u"削除", 1)};
constexpr MenuItem kCancelChange[] = {Item(u"キャンセル", 2), Item(u"変更", 1)};
constexpr MenuItem kCancelAdd[] = {Item(u"キャンセル", 2), Item(u"追加", 1)};
constexpr MenuItem kCancelOk[] = {Item(u"キャンセル", 2), Item(u"OK", 1)};

constexpr MenuItem kTemplateEdit[] = {
    Item(u"閉じる", 1129), Separator(), Item(u"追加", 1131),     Item(u"編集", 1130),
    Item(u"削除", 1132),   Separator(), Item(u"上へ移動", 1133), Item(u"下へ移動", 1134),
};
constexpr MenuItem kTemplateList[] = {Item(u"収支を追加", 1135), Popup(u"編集", kTemplateEdit)};

constexpr MenuItem kOrganizeActions[] = {
    Item(u"指定期間を削除する", 1037),
    Item(u"指定期間をエクスポートする", 1068),
    Item(u"データをインポートする", 1038),
};
constexpr MenuItem kOrganize[] = {Item(u"閉じる", 1), Popup(u"整理内容", kOrganizeActions)};

constexpr MenuItem kSeriesView[] = {
    Item(u"前年度に移動", 32927),     Item(u"翌年度に移動", 32928),     Separator(),
    Item(u"年間の月ごと集計", 32929), Item(u"過去１２年の集計", 32930),
};
constexpr MenuItem kSeries[] = {Item(u"閉じる", 2), Popup(u"表示", kSeriesView)};

} // namespace

const MenuTemplate kMenu152{152, kMain};
const MenuTemplate kMenu154{154, kEditBar};
const MenuTemplate kMenu156{156, kSummary};
const MenuTemplate kMenu157{157, kCancelNext};
const MenuTemplate kMenu158{158, kPageNext};
const MenuTemplate kMenu159{159, kPageFinish};
const MenuTemplate kMenu160{160, kCancelFinish};
const MenuTemplate kMenu161{161, kCancelSave};
const MenuTemplate kMenu162{162, kCancelDelete};
const MenuTemplate kMenu163{163, kCancelChange};
const MenuTemplate kMenu164{164, kCancelAdd};
const MenuTemplate kMenu165{165, kFilter};
const MenuTemplate kMenu166{166, kTemplateList};
const MenuTemplate kMenu167{167, kOrganize};
const MenuTemplate kMenu168{168, kCancelOk};
const MenuTemplate kMenu169{169, kSeries};

} // namespace tb::res
