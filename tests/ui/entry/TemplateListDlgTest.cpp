// The template list driven as a person does, on templates from a hand-made file.
#include "support/DocTest.h"
#include "support/ModalRunner.h"

#include "platform/System.h"
#include "ui/entry/CTemplateListDlg.h"
#include "ui/entry/TemplateEntry.h"
#include "ui/framework/Framework.h"
#include "ui/framework/testing/Harness.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kList = 1142, kAdd = 1131, kEdit = 1130, kDelete = 1132, kUp = 1133, kDown = 1134,
              kPick = 1135, kClose = 1129, kEditName = 1118;

using Tmpl = bytes::Template;

// A used template dated 2007-12-24 18:05, a Monday.
Tmpl T(const QString& name, const QString& category, std::int32_t amount) {
    return {name, {1, category, u"弁当"_s, u"店"_s, u"現金"_s, 2007, 12, 1, 24, amount, 18, 5}};
}

const Tmpl kLunch = T(u"昼食"_s, u"食費"_s, 650);
const Tmpl kFare = T(u"電車"_s, u"交通費"_s, 420);
const Tmpl kPay = T(u"給与"_s, u"給与"_s, -250000);

std::vector<Tmpl> Numbered(int count) {
    std::vector<Tmpl> templates;
    for (int i = 0; i < count; ++i)
        templates.push_back(T(u"定番%1"_s.arg(i), u"食費"_s, 100 + i));
    return templates;
}

DialogAction Key(int key) {
    return [key](Dialog& d) { PressKeyInWindow(d, key); };
}
// Selects `row`, the focus on the list, then does `then`.
DialogAction OnRow(int row, DialogAction then) {
    return [=](Dialog& d) {
        SelectIndex(d, kList, row);
        d.GetDlgItem(kList)->setFocus();
        then(d);
    };
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
    const int ids[] = {kList, kPick, kClose, kAdd, kEdit, kDelete, kUp, kDown};
    for (std::size_t i = 0; i < std::size(ids); ++i) {
        EXPECT_TRUE(client.contains(dlg.ControlRect(ids[i]))) << ids[i];
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_FALSE(dlg.ControlRect(ids[i]).intersects(dlg.ControlRect(ids[j])))
                << ids[i] << "/" << ids[j];
    }
}

class TemplateListTest : public OpenDocTest {
protected:
    // Loads the templates from a hand-made file.
    void Open(const std::vector<Tmpl>& templates) {
        reopen();
        writeData(datafile::kTemplates, bytes::TemplateFile(templates));
        doc->LoadTemplates();
        writeList(datafile::kCategories, {u"食費"_s, u"交通費"_s});
        writeList(datafile::kPayMethods, {u"現金"_s, u"カード"_s});
        doc->m_bSaveOnChange = false;
    }

    // Runs the list with the first action (then closes it unless it ended), the
    // rest in the dialogs that one opens.
    int RunList(std::vector<DialogAction> actions) {
        actions.front() = [first = std::move(actions.front())](Dialog& d) {
            first(d);
            if (d.IsRunning()) Click(d, kClose);
        };
        CTemplateListDlg dlg(doc.get());
        int result = -1;
        RunActing([&] { result = dlg.DoModal(); }, std::move(actions));
        lines = Items(dlg, kList);
        selected = CurrentIndex(dlg, kList);
        return result;
    }
    // Makes an entry from a template (2008-04-01 08:15:30 handed over).
    bool FromTemplate(std::vector<DialogAction> actions) {
        bool picked = false;
        RunActing([&] { picked = NewEntryFromTemplate(nullptr, *doc, kEntryDate); },
                  std::move(actions));
        return picked;
    }

    const plat::TimeValue kEntryDate = plat::TimeFromFields(2008, 4, 1, 8, 15, 30);
    QStringList lines;
    int selected = -2;
};

// Name, templates in the list, the action in its run, the result it ends with.
const std::tuple<const char*, int, DialogAction, int> kPickRows[] = {
    {"KeyThreePicksLineThree", 5, Key(Qt::Key_3), 4},
    {"KeyZeroPicksTheFirst", 5, Key(Qt::Key_0), 1},
    {"KeyOfAFreeSlotStillPicks", 2, Key(Qt::Key_9), 10},
    {"PickButtonTakesTheSelection", 4, OnRow(2, [](Dialog& d) { Click(d, kPick); }), 3},
    {"DoubleClickPicksTheLine", 4, DoubleClickRow(3), 4},
    {"EnterOnTheListPicks", 4, OnRow(1, Key(Qt::Key_Return)), 2},
    {"PickWithoutTemplatesStaysOpen", 0,
     [](Dialog& d) {
         Click(d, kPick);
         EXPECT_TRUE(d.IsRunning());
     },
     0},
    {"ShortWindow", 3, ExpectFitsAShortWindow, 0},
    {"OkCommand", 3, [](Dialog& d) { d.SendCommand(IDOK); }, 0},
    {"Escape", 3, Key(Qt::Key_Escape), 0},
};

TEST_F(TemplateListTest, PickEndsWithTheSlotNumberPlusOneOrZero) {
    for (const auto& [name, templates, act, result] : kPickRows) {
        SCOPED_TRACE(name);
        Open(Numbered(templates));
        EXPECT_EQ(RunList({act}), result);
        EXPECT_FALSE(doc->TemplatesChanged());
    }
}

// An eleventh template is refused without opening the entry dialog. The
// delete is answered "No" the first time, "Yes" the second.
TEST_F(TemplateListTest, RefuseTheEleventhAndDeleteTheThirdClosingTheGap) {
    Open(Numbered(10));
    boxes.answerNext(plat::IDOK);
    boxes.answerNext(plat::IDNO);
    RunList({[](Dialog& d) {
        Click(d, kAdd);
        SelectIndex(d, kList, 2);
        Click(d, kDelete);
        Click(d, kDelete);
    }});
    const QString question = u"「定番2」を削除してよろしいですか？"_s;
    EXPECT_EQ(boxes.texts(), (std::vector<QString>{u"これ以上定番データは追加できません。"_s,
                                                   question, question}));
    EXPECT_EQ(boxes.shown()[0].caption + boxes.shown()[2].caption, u"定番データの追加定番の削除"_s);
    EXPECT_EQ(lines.mid(2, 1) + lines.mid(8), (QStringList{u" 2:定番3"_s, u" 8:定番9"_s}));
    EXPECT_EQ(selected, 2);
    EXPECT_EQ(FieldText(doc->Templates()[9].name), u"未設定"_s);
    EXPECT_TRUE(doc->TemplatesChanged());
}

// Up and down move the selected line and keep it selected, but not past either end. An edit
// replaces the line in place and leaves no line selected: the commands that need one do nothing.
TEST_F(TemplateListTest, UpDownAndEditChangeTheLineInPlace) {
    Open({kLunch, kFare, kPay});
    const QStringList given{u" 0:昼食"_s, u" 1:電車"_s, u" 2:給与"_s};
    const std::tuple<int, int, QStringList, int> steps[] = {
        {0, kUp, given, 0},
        {2, kDown, given, 2},
        {2, kUp, {u" 0:昼食"_s, u" 1:給与"_s, u" 2:電車"_s}, 1},
        {0, kDown, {u" 0:給与"_s, u" 1:昼食"_s, u" 2:電車"_s}, 1},
    };
    RunList({[&](Dialog& d) {
                 for (const auto& [row, command, after, selectedAfter] : steps) {
                     SelectIndex(d, kList, row);
                     Click(d, command);
                     EXPECT_EQ(Items(d, kList), after) << row << "/" << command;
                     EXPECT_EQ(CurrentIndex(d, kList), selectedAfter) << row << "/" << command;
                     EXPECT_EQ(doc->TemplatesChanged(), after != given) << row << "/" << command;
                 }
                 SelectIndex(d, kList, 0);
                 Click(d, kEdit);
                 EXPECT_TRUE(doc->TemplatesChanged());
                 ASSERT_TRUE(doc->SaveTemplates());
                 for (int command : {kEdit, kDelete, kUp, kDown, kPick})
                     Click(d, command);
                 EXPECT_TRUE(d.IsRunning());
             },
             [](Dialog& edit) {
                 EXPECT_EQ(Text(edit, kEditName), u"給与"_s);
                 ClearText(edit, kEditName);
                 TypeText(edit, kEditName, u"賞与"_s);
                 Click(edit, IDOK);
             }});
    EXPECT_EQ(lines, (QStringList{u" 0:賞与"_s, u" 1:昼食"_s, u" 2:電車"_s}));
    EXPECT_EQ(selected, -1);
    EXPECT_FALSE(doc->TemplatesChanged()); // saved after the edit, unchanged since
    EXPECT_TRUE(boxes.shown().empty());
}

// Closing the list picks nothing and opens no entry dialog; a cancelled entry
// still counts as picked and adds nothing.
TEST_F(TemplateListTest, TemplateChangesSavedAtOnceOnlyUnderSaveOnChange) {
    for (bool saveOnChange : {false, true}) {
        SCOPED_TRACE(saveOnChange ? "save on change" : "save at exit");
        Open({kLunch, kFare, kPay});
        doc->m_bSaveOnChange = saveOnChange;
        EXPECT_FALSE(FromTemplate({[](Dialog& d) {
            SelectIndex(d, kList, 0);
            Click(d, kDelete);
            Click(d, kClose);
        }}));
        EXPECT_EQ(readData(datafile::kTemplates),
                  bytes::TemplateFile(saveOnChange ? std::vector{kFare, kPay}
                                                   : std::vector{kLunch, kFare, kPay}));
        EXPECT_EQ(doc->TemplatesChanged(), !saveOnChange);
    }
    EXPECT_TRUE(FromTemplate(
        {[](Dialog& d) { Click(d, kPick); }, [](Dialog& edit) { edit.SendCommand(IDCANCEL); }}));
    EXPECT_EQ(doc->Count(), 0u);
}

} // namespace
