// Dialog templates of the main window and the calculator.
#include "res/Templates.h"

namespace tb::res {
namespace {

using K = ControlKind;

constexpr ControlTemplate kVersionControls[] = {
    {-1, K::Picture, u"", {12, 12, 32, 32}, StyleNone, true, true, 128},
    {-1, K::Static, u"Tallybook Ver 1.52", {56, 20, 176, 16}},
    {1, K::DefaultButton, u"OK", {160, 60, 72, 24}},
};

// The command panel: four groups of buttons, then the version and exit buttons.
constexpr ControlTemplate kPanelControls[] = {
    {-1, K::GroupBox, u"新規入力", {4, 2, 232, 46}},
    {32809, K::Button, u"新規(&1)", {12, 18, 104, 24}},
    {1044, K::Button, u"定番(&2)", {124, 18, 104, 24}},
    {1112, K::GroupBox, u"集計表示", {4, 52, 232, 76}},
    {32778, K::Button, u"分類(&3)", {12, 68, 68, 24}},
    {32782, K::Button, u"備考(&4)", {86, 68, 68, 24}},
    {32779, K::Button, u"支払先(&5)", {160, 68, 68, 24}},
    {32780, K::Button, u"支払方法(&6)", {12, 96, 104, 24}},
    {32777, K::Button, u"日付(&7)", {124, 96, 104, 24}},
    {1113, K::GroupBox, u"詳細表示", {4, 132, 232, 46}},
    {32815, K::Button, u"詳細(&8)", {12, 148, 216, 24}},
    {1114, K::GroupBox, u"ツール(&9)", {4, 182, 232, 46}},
    {32791, K::Button, u"整理...", {12, 198, 68, 24}},
    {32792, K::Button, u"項目編集...", {84, 198, 72, 24}},
    {32793, K::Button, u"オプション...", {160, 198, 68, 24}},
    {57666, K::Button, u"ヘルプ...", {4, 236, 72, 24}, StyleNone, false, false},
    {57664, K::Button, u"ﾊﾞｰｼﾞｮﾝ...", {84, 236, 72, 24}},
    {32795, K::Button, u"終了(&0)", {164, 236, 72, 24}},
};

// Keypad cell (column c, row r) of the calculator's four rows of five keys.
constexpr Rect Key(int c, int r) {
    return {4 + c * 47, 54 + r * 40, 44, 36};
}

// The focus rests on the confirm button after every key; the income box and
// the page's buttons sit next to it in the Tab order, the keypad after them.
// The amount is never typed into its field, which therefore takes no Tab.
constexpr ControlTemplate kAmountControls[] = {
    {1004, K::Static, u"金額を入力してください", {4, 4, 232, 16}},
    {1006, K::Edit, u"", {4, 22, 160, 26}, ReadOnly | AlignRight | NoTabStop},
    {1131, K::CheckBox, u"収入(&I)", {168, 25, 68, 20}},
    {1, K::DefaultButton, u"次へ(OK) >>", {160, 218, 76, 26}},
    {3, K::Button, u"完了", {108, 218, 50, 26}},
    {2, K::Button, u"キャンセル", {40, 218, 66, 26}},
    {4, K::Button, u"<<", {4, 218, 34, 26}},
    {1014, K::Button, u"７", Key(0, 0)},
    {1015, K::Button, u"８", Key(1, 0)},
    {1016, K::Button, u"９", Key(2, 0)},
    {1025, K::Button, u"＋", Key(3, 0)},
    {1019, K::Button, u"C/CE", Key(4, 0)},
    {1011, K::Button, u"４", Key(0, 1)},
    {1012, K::Button, u"５", Key(1, 1)},
    {1013, K::Button, u"６", Key(2, 1)},
    {1024, K::Button, u"－", Key(3, 1)},
    {1021, K::Button, u"税＋", Key(4, 1)},
    {1008, K::Button, u"１", Key(0, 2)},
    {1009, K::Button, u"２", Key(1, 2)},
    {1010, K::Button, u"３", Key(2, 2)},
    {1023, K::Button, u"×", Key(3, 2)},
    {1020, K::Button, u"税－", Key(4, 2)},
    {1007, K::Button, u"０", Key(0, 3)},
    {1017, K::Button, u"００", Key(1, 3)},
    {1018, K::Button, u"０００", Key(2, 3)},
    {1022, K::Button, u"÷", Key(3, 3)},
    {1026, K::Button, u"＝", Key(4, 3)},
};

} // namespace

const DialogTemplate kDialog100{100, u"TALY のバージョン情報", {0, 0, 240, 96}, kVersionControls};
const DialogTemplate kDialog101{101, u"", {0, 0, 240, 264}, kPanelControls};
const DialogTemplate kDialog131{131, u"新規入力", {0, 0, 240, 248}, kAmountControls};

} // namespace tb::res
