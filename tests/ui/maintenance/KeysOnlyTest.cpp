// The item edit used with the keyboard alone: the arrows choose an entry as a
// click does, and a change keeps the entry where it was, still selected.
#include "support/DocTest.h"
#include "support/ModalRunner.h"

#include "ledger/Lists.h"
#include "ui/framework/testing/Harness.h"
#include "ui/maintenance/CItemEditDlg.h"

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

class ItemEditKeysTest : public OpenDocTest {
protected:
    // Tabs (or Shift+Tabs) until control `id` has the focus; false when it never does.
    static bool TabTo(Dialog& d, int id, bool back = false) {
        for (int i = 0; i < 12 && d.FocusedControlId() != id; ++i)
            PressKeyInWindow(d, back ? Qt::Key_Backtab : Qt::Key_Tab);
        return d.FocusedControlId() == id;
    }
};

TEST_F(ItemEditKeysTest, CategoryRenamedAndAnotherDeleted) {
    writeList(datafile::kCategories, {u"食費"_s, u"交通費"_s, u"給与"_s});
    writeList(u"\\備考\\給与.DAT"_s, {u"月給"_s});
    boxes.answerNext(plat::IDYES); // also delete 給与's remark and payee lists
    CItemEditDlg dlg(doc.get());
    QStringList afterChange;
    const ModalRun run = RunModal(dlg, [&](Dialog& d) {
        ASSERT_TRUE(TabTo(d, 1030));
        PressKeyInWindow(d, Qt::Key_Down); // 交通費, chosen as by a click
        EXPECT_EQ(Text(d, 1042), u"交通費"_s);
        ASSERT_TRUE(TabTo(d, 1042, true));
        PressKeyInWindow(d, Qt::Key_A, Qt::ControlModifier);
        TypeKeys(d, u"旅費"_s);
        ASSERT_TRUE(TabTo(d, 1040));
        PressKeyInWindow(d, Qt::Key_Return); // 変更
        afterChange = {dlg.Entries().join(u','), QString::number(CurrentIndex(d, 1030))};
        ASSERT_TRUE(TabTo(d, 1030));
        PressKeyInWindow(d, Qt::Key_Down); // 給与
        ASSERT_TRUE(TabTo(d, 1041, true));
        PressKeyInWindow(d, Qt::Key_Return); // 削除, and Yes
        ASSERT_TRUE(TabTo(d, 1));
        PressKeyInWindow(d, Qt::Key_Return); // 終了
    });
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(afterChange, (QStringList{u"食費,旅費,給与"_s, u"1"_s}));
    EXPECT_EQ(DecodeListFile(readData(datafile::kCategories)), (QStringList{u"食費"_s, u"旅費"_s}));
    EXPECT_FALSE(fileExists(inFolder(u"\\備考\\給与.DAT"_s)));
}

} // namespace
