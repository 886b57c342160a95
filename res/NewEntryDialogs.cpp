// Dialog template of the new-entry flow's list pages.
#include "res/Templates.h"

namespace tb::res {
namespace {

using K = ControlKind;

// Each list row: its label above, the learn check box left of the combo box.
// The Tab order (the order here) starts with list A, so typing goes there
// first, and runs list A, its box, list B, its box, the date, the buttons.
constexpr ControlTemplate kNewEntryPageControls[] = {
    {1004, K::Static, u"分類：", {5, 6, 120, 16}},
    {1005, K::ComboBox, u"", {26, 24, 209, 20}},
    {1084, K::CheckBox, u"", {5, 24, 18, 20}},
    {1100, K::Static, u"支払方法：", {5, 50, 120, 16}},
    {1099, K::ComboBox, u"", {26, 68, 209, 20}},
    {1085, K::CheckBox, u"", {5, 68, 18, 20}},
    {1111, K::Static, u"日付：", {5, 98, 40, 16}},
    {1057, K::DatePicker, u"", {48, 96, 187, 20}, LongDate | AlignRight},
    {1115, K::CheckBox, u"定番として登録する", {5, 96, 230, 20}, StyleNone, false, false},
    {4, K::Button, u"<<", {5, 126, 30, 22}},
    {1, K::DefaultButton, u"次へ(OK) >>", {38, 126, 82, 22}},
    {3, K::Button, u"完了", {123, 126, 56, 22}},
    {2, K::Button, u"ｷｬﾝｾﾙ", {182, 126, 53, 22}},
    {-1, K::GroupBox, u"[ポイント]", {5, 156, 230, 58}},
    {-1,
     K::Static,
     u"リストの横のチェックを外すと、入力された内容が記録されません。",
     {12, 174, 216, 36},
     MultiLine},
};

} // namespace

const DialogTemplate kDialog130{130, u"新規入力", {0, 0, 240, 220}, kNewEntryPageControls};

} // namespace tb::res
