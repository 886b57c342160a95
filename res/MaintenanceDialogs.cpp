// Dialog templates of the item edit and the folder select.
#include "res/Templates.h"

namespace tb::res {
namespace {

using K = ControlKind;

constexpr ControlTemplate kItemEditControls[] = {
    {-1, K::GroupBox, u"", {4, 2, 232, 226}},
    {1043, K::ComboList, u"", {12, 14, 216, 120}},
    {1042, K::Edit, u"", {12, 42, 216, 22}},
    {1025, K::Button, u"追加", {12, 70, 68, 24}, StyleNone, true, false},
    {1040, K::Button, u"変更", {86, 70, 68, 24}, StyleNone, true, false},
    {1041, K::Button, u"削除", {160, 70, 68, 24}, StyleNone, true, false},
    {1030, K::ListView, u"", {12, 100, 216, 120}, SingleSelection | ShowSelAlways | FullRowSelect},
    {1, K::DefaultButton, u"終了", {164, 234, 72, 24}},
};

constexpr ControlTemplate kFolderSelectControls[] = {
    {1061, K::Static, u"フォルダ名：", {10, 10, 100, 16}},
    {1140, K::Static, u"\\My Documents\\Tallybook", {15, 31, 220, 32}},
    {1058, K::ComboList, u"", {10, 62, 220, 22}},
    {1059, K::ListBox, u"", {10, 88, 220, 164}, SingleSelection | Sorted},
    {1, K::DefaultButton, u"OK", {55, 266, 60, 24}},
    {2, K::Button, u"キャンセル", {125, 266, 60, 24}},
};

} // namespace

const DialogTemplate kDialog135{135, u"項目の編集", {0, 0, 240, 264}, kItemEditControls};
const DialogTemplate kDialog154{154, u"フォルダ選択", {0, 0, 240, 300}, kFolderSelectControls};

} // namespace tb::res
