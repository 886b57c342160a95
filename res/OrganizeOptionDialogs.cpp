// Dialog templates of the organize dialog and the four option pages.
#include "res/Templates.h"

namespace tb::res {
namespace {

using K = ControlKind;

constexpr ControlTemplate kOrganizeControls[] = {
    {-1, K::GroupBox, u"期間", {4, 2, 232, 80}},
    {1092, K::DatePicker, u"", {12, 20, 162, 24}, LongDate},
    {-1, K::Static, u"から", {180, 23, 48, 18}},
    {1093, K::DatePicker, u"", {12, 52, 162, 24}, LongDate},
    {-1, K::Static, u"まで", {180, 55, 48, 18}},
    {1068, K::Button, u"この期間のデータを CSV 形式でファイルに書き出します。", {4, 90, 232, 46},
     MultiLine},
    {1037, K::Button, u"この期間のデータをすべて削除します", {4, 142, 232, 46}, MultiLine},
    {1038, K::Button, u"CSVファイルをインポートします。", {4, 194, 232, 46}, MultiLine},
    {2, K::DefaultButton, u"終了", {164, 248, 72, 24}},
};

constexpr ControlTemplate kOptionDataControls[] = {
    {-1, K::GroupBox, u"データ保存のタイミング", {4, 4, 228, 76}},
    {1086, K::RadioButton, u"データ変更時毎", {14, 24, 208, 22}, Group},
    {1087, K::RadioButton, u"アプリ終了時", {14, 50, 208, 22}},
    {1141, K::CheckBox, u"集計画面からの登録時は、選択されている期間の基準日を初期値とする",
     {4, 90, 228, 66}, MultiLine},
};

constexpr ControlTemplate kOptionFileControls[] = {
    {-1, K::GroupBox, u"データ保存場所", {4, 4, 228, 136}},
    {1090, K::RadioButton, u"My Documents", {14, 24, 208, 22}, Group},
    {1091, K::RadioButton, u"実行ファイルと同じ", {14, 50, 208, 22}},
    {1092, K::RadioButton, u"その他", {14, 76, 208, 22}},
    {1139, K::Edit, u"", {14, 104, 172, 24}},
    {1044, K::Button, u"...", {192, 104, 32, 24}},
};

constexpr ControlTemplate kOptionTermControls[] = {
    {-1, K::GroupBox, u"年／月／週の開始日", {4, 4, 228, 124}},
    {-1, K::Static, u"年\u3000：", {14, 28, 56, 20}},
    {1073, K::ComboList, u"", {76, 26, 120, 24}},
    {-1, K::Static, u"月\u3000：", {14, 60, 56, 20}},
    {1072, K::ComboList, u"", {76, 58, 120, 24}},
    {-1, K::Static, u"週\u3000：", {14, 92, 56, 20}},
    {1074, K::ComboList, u"", {76, 90, 120, 24}},
};

constexpr const char16_t* kMonths[] = {u"1月", u"2月", u"3月", u"4月",  u"5月",  u"6月",
                                       u"7月", u"8月", u"9月", u"10月", u"11月", u"12月"};
constexpr const char16_t* kDays[] = {
    u"1日",  u"2日",  u"3日",  u"4日",  u"5日",  u"6日",  u"7日",  u"8日",
    u"9日",  u"10日", u"11日", u"12日", u"13日", u"14日", u"15日", u"16日",
    u"17日", u"18日", u"19日", u"20日", u"21日", u"22日", u"23日", u"24日",
    u"25日", u"26日", u"27日", u"28日", u"29日", u"30日", u"31日"};
constexpr const char16_t* kWeekdays[] = {u"日曜", u"月曜", u"火曜", u"水曜",
                                         u"木曜", u"金曜", u"土曜"};
constexpr InitList kOptionTermLists[] = {{1073, kMonths}, {1072, kDays}, {1074, kWeekdays}};

constexpr ControlTemplate kOptionDisplayControls[] = {
    {1088, K::CheckBox, u"金額にカンマをつける", {4, 4, 228, 22}},
    {1089, K::CheckBox, u"詳細画面を開く際、期間が「年」の場合は自動的に「月」に変更する",
     {4, 30, 228, 50}, MultiLine},
    {1090, K::CheckBox, u"「残高」を表示しない", {4, 84, 228, 22}},
    {1091, K::CheckBox, u"「収入」または「支出」の１つのみ表示する", {4, 110, 228, 40}, MultiLine},
    {1092, K::CheckBox,
     u"「残高」は全データから算出する。\r\n(チェックオフなら表示期間のデータから算出）",
     {4, 154, 228, 56}, MultiLine},
};

constexpr Rect kPageSize{0, 0, 236, 214};

} // namespace

const DialogTemplate kDialog138{138, u"整理", {0, 0, 240, 276}, kOrganizeControls};
const DialogTemplate kDialog103{103, u"データ", kPageSize, kOptionDataControls};
const DialogTemplate kDialog153{153, u"ファイル", kPageSize, kOptionFileControls};
const DialogTemplate kDialog151{151, u"期間", kPageSize, kOptionTermControls, kOptionTermLists};
const DialogTemplate kDialog152{152, u"表示", kPageSize, kOptionDisplayControls};

} // namespace tb::res
