// Dialog templates of the entry edit dialog and the date-select dialog.
#include "res/Templates.h"

namespace tb::res {
namespace {

using K = ControlKind;

// Rows of the entry edit dialog: labels 68 wide at x 5 (the widest,
// "定番項目名：", whole), fields from x 76 to the right edge less 5. The
// template-name row shares the first row; the dialog lays the rows out again
// for its mode and width.
constexpr int kLabelW = 68;
constexpr int kFieldX = 76;
constexpr int kFieldW = 159;
constexpr int kRowH = 20;
constexpr Rect Label(int y) {
    return {5, y + 2, kLabelW, 16};
}
constexpr Rect Field(int y) {
    return {kFieldX, y, kFieldW, kRowH};
}

constexpr ControlTemplate kEntryEditControls[] = {
    {1063,
     K::Static,
     u"修正が終わりましたら変更ボタンを押して下さい。",
     {5, 5, 230, 34},
     MultiLine},
    {1117, K::Static, u"定番項目名：", Label(42), StyleNone, false, false},
    {1118, K::Edit, u"", Field(42), StyleNone, false, false},
    {1144, K::Static, u"分類：", Label(42)},
    {1049, K::ComboBox, u"", Field(42)},
    {1145, K::Static, u"備考：", Label(65)},
    {1050, K::ComboBox, u"", Field(65)},
    {1146, K::Static, u"金額：", Label(88)},
    {1055, K::Edit, u"", {kFieldX, 88, 85, kRowH}, AlignRight},
    {1038, K::Button, u"...", {164, 88, 24, kRowH}},
    {1131, K::CheckBox, u"収入", {191, 88, 44, kRowH}},
    {1116, K::Static, u"日付：", Label(111)},
    {1054, K::DatePicker, u"", Field(111), LongDate},
    {1147, K::Static, u"支払先：", Label(134)},
    {1052, K::ComboBox, u"", Field(134)},
    {1148, K::Static, u"支払方法：", Label(157)},
    {1053, K::ComboBox, u"", Field(157)},
    {1, K::DefaultButton, u"変更(OK)", {48, 182, 70, 22}},
    {1056, K::Button, u"キャンセル", {122, 182, 70, 22}},
};

constexpr ControlTemplate kDateSelectControls[] = {
    {1149, K::MonthCalendar, u"", {5, 5, 230, 160}},
    {1150, K::DatePicker, u"", {5, 170, 230, 22}, LongDate},
    {1, K::DefaultButton, u"OK", {48, 198, 70, 22}, StyleNone, false, false},
    {2, K::Button, u"キャンセル", {122, 198, 70, 22}, StyleNone, false, false},
};

} // namespace

const DialogTemplate kDialog136{136, u"", {0, 0, 240, 210}, kEntryEditControls};
const DialogTemplate kDialog168{168, u"日付の選択", {0, 0, 240, 224}, kDateSelectControls};

} // namespace tb::res
