// The template list driven as a person does, on templates from a hand-made file.
#include "support/DocTest.h"
#include "support/ModalRunner.h"

#include "ui/entry/CTemplateListDlg.h"
#include "ui/entry/TemplateEntry.h"
#include "ui/framework/Framework.h"
#include "ui/framework/testing/Harness.h"

#include <QApplication>
#include <QListWidget>
#include <QRegion>
#include <QTest>

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kList = 1142, kAdd = 1131, kEdit = 1130, kDelete = 1132, kUp = 1133, kDown = 1134,
              kPick = 1135, kClose = 1129, kEditName = 1118;

// Used templates 定番0, 定番1 ..., dated 2007-12-24 18:05, a Monday.
std::vector<bytes::Template> Numbered(int count) {
    std::vector<bytes::Template> templates;
    for (int i = 0; i < count; ++i)
        templates.push_back(
            {u"定番%1"_s.arg(i),
             {1, u"食費"_s, u"弁当"_s, u"店"_s, u"現金"_s, 2007, 12, 1, 24, 100 + i, 18, 5}});
    return templates;
}
// The lines of a list showing 定番<digit> for each digit in turn.
QStringList Lines(QStringView digits) {
    QStringList lines;
    for (int slot = 0; slot < digits.size(); ++slot)
        lines << u" %1:定番%2"_s.arg(slot).arg(digits[slot]);
    return lines;
}

DialogAction Key(int key) {
    return [key](Dialog& d) { PressKeyInWindow(d, key); };
}
DialogAction DoubleClickRow(int row) {
    return [row](Dialog& d) {
        auto* list = ControlAs<QListWidget>(d, kList);
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    };
}

// Without soft keys, on a short window the side buttons shrink so that all fit.
void ExpectFitsAShortWindow(Dialog& dlg) {
    EXPECT_EQ(dlg.softKeyBar(), nullptr);
    dlg.resize(Lp(240), Lp(150));
    QApplication::processEvents();
    const QRect client(QPoint(0, 0), dlg.ClientSize());
    QRegion taken;
    for (int id : {kList, kPick, kClose, kAdd, kEdit, kDelete, kUp, kDown}) {
        EXPECT_TRUE(client.contains(dlg.ControlRect(id))) << id;
        EXPECT_FALSE(taken.intersects(dlg.ControlRect(id))) << id;
        taken += dlg.ControlRect(id);
    }
}

class TemplateListTest : public OpenDocTest {
protected:
    void Open(const std::vector<bytes::Template>& templates) {
        writeData(datafile::kTemplates, bytes::TemplateFile(templates));
        reopen();
    }
    // Makes an entry from a template; true when one was picked.
    bool FromTemplate(std::vector<DialogAction> actions) {
        bool picked = false;
        RunActing([&] { picked = NewEntryFromTemplate(nullptr, *doc, kTestNow); },
                  std::move(actions));
        return picked;
    }
};

// Name, templates in the list, the action, the result (IDCANCEL: the list stayed open).
const std::tuple<const char*, int, DialogAction, int> kPickRows[] = {
    {"KeyThreePicksLineThree", 5, Key(Qt::Key_3), 4},
    {"KeyZeroPicksTheFirst", 5, Key(Qt::Key_0), 1},
    {"KeyOfAFreeSlotStillPicks", 2, Key(Qt::Key_9), 10},
    {"PickButtonTakesTheFirstLineSelectedOnOpening", 4, [](Dialog& d) { Click(d, kPick); }, 1},
    {"EnterPicksToo", 4, Key(Qt::Key_Return), 1},
    {"DoubleClickPicksTheLine", 4, DoubleClickRow(3), 4},
    {"PickWithoutTemplatesStaysOpen", 0, [](Dialog& d) { Click(d, kPick); }, IDCANCEL},
    {"ShortWindow", 3, ExpectFitsAShortWindow, IDCANCEL},
    {"OkCommand", 3, [](Dialog& d) { d.SendCommand(IDOK); }, 0},
    {"Escape", 3, Key(Qt::Key_Escape), 0},
};

TEST_F(TemplateListTest, PickEndsWithTheSlotNumberPlusOneOrZero) {
    for (const auto& [name, templates, act, result] : kPickRows) {
        SCOPED_TRACE(name);
        Open(Numbered(templates));
        CTemplateListDlg dlg(doc.get());
        EXPECT_EQ(RunModal(dlg, act).result, result);
        EXPECT_FALSE(doc->TemplatesChanged());
    }
}

// An edit, or a line Ctrl+clicked off, leaves none selected: the commands needing one do nothing.
// The list's changes wait for the next save unless save-on-change saves them as it closes. A
// cancelled entry still counts as picked.
TEST_F(TemplateListTest, FullListRefusesAnAddMovesDeletesEditsThenSavesUnderSaveOnChange) {
    Open(Numbered(10));
    doc->m_bSaveOnChange = false;
    boxes.answerNext(plat::IDOK);
    boxes.answerNext(plat::IDNO);
    // The row selected, the command, the templates in the list after it, the row selected.
    const std::tuple<int, int, QString, int> steps[] = {
        {0, kUp, u"0123456789"_s, 0},     {9, kDown, u"0123456789"_s, 9},
        {9, kUp, u"0123456798"_s, 8},     {0, kDown, u"1023456798"_s, 1},
        {2, kDelete, u"1023456798"_s, 2}, {2, kDelete, u"103456798"_s, 2},
    };
    EXPECT_FALSE(FromTemplate(
        {[&](Dialog& d) {
             Click(d, kAdd);
             for (const auto& [row, command, after, selectedAfter] : steps) {
                 SelectIndex(d, kList, row);
                 Click(d, command);
                 EXPECT_EQ(Items(d, kList), Lines(after)) << row << "/" << command;
                 EXPECT_EQ(CurrentIndex(d, kList), selectedAfter) << row << "/" << command;
             }
             SelectIndex(d, kList, 0);
             Click(d, kEdit);
             for (int command : {kEdit, kDelete, kUp, kDown, kPick})
                 Click(d, command);
             auto* list = ControlAs<QListWidget>(d, kList);
             SelectIndex(d, kList, 1); // Ctrl+clicked off: still the current line, unselected
             QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                               list->visualItemRect(list->item(1)).center());
             for (int command : {kEdit, kDelete, kUp, kDown, kPick})
                 Click(d, command);
             EXPECT_EQ(Items(d, kList), QStringList{u" 0:賞与"_s} + Lines(u"103456798").mid(1));
             Click(d, kClose);
         },
         [](Dialog& edit) {
             EXPECT_EQ(Text(edit, kEditName), u"定番1"_s);
             ClearText(edit, kEditName);
             TypeText(edit, kEditName, u"賞与"_s);
             Click(edit, IDOK);
         }}));
    const QString question = u"「定番2」を削除してよろしいですか？"_s;
    EXPECT_EQ(boxes.texts(), (std::vector<QString>{u"これ以上定番データは追加できません。"_s,
                                                   question, question}));
    EXPECT_EQ(boxes.shown()[0].caption + boxes.shown()[2].caption, u"定番データの追加定番の削除"_s);
    EXPECT_EQ(readData(datafile::kTemplates), bytes::TemplateFile(Numbered(10)));
    doc->m_bSaveOnChange = true;
    EXPECT_FALSE(FromTemplate({[](Dialog& d) { Click(d, kClose); }}));
    EXPECT_NE(readData(datafile::kTemplates), bytes::TemplateFile(Numbered(10)));
    EXPECT_FALSE(doc->TemplatesChanged());
    EXPECT_TRUE(FromTemplate(
        {[](Dialog& d) { Click(d, kPick); }, [](Dialog& edit) { edit.SendCommand(IDCANCEL); }}));
    EXPECT_EQ(doc->Count(), 0u);
}

} // namespace
