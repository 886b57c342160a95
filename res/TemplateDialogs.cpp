// Dialog template of the template list (定番項目).
#include "res/Templates.h"

namespace tb::res {
namespace {

using K = ControlKind;

// The list takes the left two thirds, the edit buttons sit in a group on the
// right; the dialog lays them out again for its size.
constexpr int kButtonH = 22;
constexpr int kSideX = 175;
constexpr int kSideW = 55;

constexpr Rect Side(int row) {
    return {kSideX, 25 + row * (kButtonH + 5), kSideW, kButtonH};
}

constexpr ControlTemplate kTemplateListControls[] = {
    {1142, K::ListBox, u"", {5, 5, 160, 178}, SingleSelection},
    {1143, K::GroupBox, u"編集", {170, 5, 65, 165}},
    {1131, K::Button, u"追加", Side(0)},
    {1130, K::Button, u"編集", Side(1)},
    {1132, K::Button, u"削除", Side(2)},
    {1133, K::Button, u"↑", Side(3)},
    {1134, K::Button, u"↓", Side(4)},
    {1135, K::DefaultButton, u"定番から新規追加", {5, 188, 160, kButtonH}},
    {1129, K::Button, u"閉じる", {170, 188, 65, kButtonH}},
};

} // namespace

const DialogTemplate kDialog155{155, u"定番項目", {0, 0, 240, 215}, kTemplateListControls};

} // namespace tb::res
