// The template list driven as a person does, on templates loaded from a
// hand-made "\\TEIBAN.DAT": adding, editing, deleting and reordering through
// the nested entry edit dialog and the Yes/No box, picking by key, button,
// double click and Enter, and a new ledger entry made from a template, with
// the table, its changed mark and the bytes of the files after saving.
#include "support/DocTest.h"
#include "support/ModalRunner.h"

#include "ledger/CMyTALYDoc.h"
#include "platform/System.h"
#include "ui/entry/CTemplateListDlg.h"
#include "ui/entry/TemplateEntry.h"
#include "ui/framework/Bars.h"
#include "ui/framework/Framework.h"
#include "ui/framework/testing/Harness.h"
#include "ui/main/PanelTasks.h"

#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstring>

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

enum : int {
    kList = 1142,
    kAdd = 1131,
    kEdit = 1130,
    kDelete = 1132,
    kUp = 1133,
    kDown = 1134,
    kPick = 1135,
    kClose = 1129,
};
// Controls of the nested entry edit dialog.
enum : int { kEditPrompt = 1063, kName = 1118, kCategory = 1049, kAmount = 1055, kIncome = 1131 };

using bytes::GetText;
using bytes::GetU16;
using bytes::ListFile;
using bytes::TemplateFile;
using Tmpl = bytes::Template;

std::int32_t Get32(const QByteArray& b, int at) {
    return static_cast<std::int32_t>(bytes::GetU32(b, at));
}

// A used template dated 2007-12-24 18:05, a Monday.
Tmpl T(const QString& name, const QString& category, const QString& remark, const QString& payee,
       const QString& payMethod, std::int32_t amount) {
    bytes::Entry e{1, category, remark, payee, payMethod, 2007, 12, 1, 24, amount, 18, 5};
    return {name, e};
}

const Tmpl kLunch = T(u"昼食"_s, u"食費"_s, u"弁当"_s, u"コンビニ"_s, u"現金"_s, 650);
const Tmpl kFare = T(u"電車"_s, u"交通費"_s, u"通勤"_s, u"JR"_s, u"カード"_s, 420);
const Tmpl kPay = T(u"給与"_s, u"給与"_s, u"月給"_s, u"会社"_s, u"振込"_s, -250000);

std::vector<Tmpl> Numbered(int count) {
    std::vector<Tmpl> templates;
    for (int i = 0; i < count; ++i)
        templates.push_back(T(u"定番%1"_s.arg(i), u"食費"_s, u"弁当"_s, u"店"_s, u"現金"_s, 100 + i));
    return templates;
}

QString SlotName(const CMyTALYDoc& doc, int slot) {
    return FieldText(doc.Templates()[static_cast<std::size_t>(slot)].name);
}

void Close(Dialog& d) {
    Click(d, kClose);
}

class TemplateListTest : public OpenDocTest {
protected:
    // Loads the templates from a hand-made file.
    void Open(const std::vector<Tmpl>& templates) {
        reopen();
        writeData(datafile::kTemplates, TemplateFile(templates));
        doc->LoadTemplates();
        writeList(datafile::kCategories, {u"食費"_s, u"交通費"_s});
        writeList(datafile::kPayMethods, {u"現金"_s, u"カード"_s});
        doc->m_bSaveOnChange = false;
    }

    // Runs the list; each action acts inside one modal run, in order: the
    // first in the list's own run (which is then closed unless it ended), the
    // rest in the dialogs that one opens.
    int RunList(std::vector<DialogAction> actions) {
        actions.front() = [first = std::move(actions.front())](Dialog& d) {
            first(d);
            if (d.IsRunning()) Close(d);
        };
        CTemplateListDlg dlg(doc.get());
        const int result = Drive(std::move(actions), [&] { return dlg.DoModal(); });
        lines = Items(dlg, kList);
        selected = CurrentIndex(dlg, kList);
        selectedText = dlg.SelectedLineText();
        return result;
    }
    int Drive(std::vector<DialogAction> actions, const std::function<int()>& run) {
        ModalDriver driver;
        for (auto& action : actions)
            driver.then(Acting(std::move(action), &leftOpen));
        const int result = run();
        EXPECT_EQ(driver.unexpectedRuns(), 0);
        EXPECT_EQ(driver.pending(), 0);
        return result;
    }

    QStringList lines;
    int selected = -2;
    QString selectedText;
    int leftOpen = 0;
};

// --- Showing -------------------------------------------------------------------

TEST_F(TemplateListTest, ListsTheUsedSlotsNumberedFromZeroWithTheFirstSelected) {
    Open({kLunch, kFare, kPay});
    EXPECT_EQ(RunList({[](Dialog& d) {
                  EXPECT_EQ(d.windowTitle(), u"定番項目"_s);
                  EXPECT_EQ(Text(d, kPick), u"定番から新規追加"_s);
                  EXPECT_EQ(static_cast<CTemplateListDlg&>(d).TemplateCount(), 3);
                  Close(d);
              }}),
              0);
    EXPECT_EQ(lines, (QStringList{u" 0:昼食"_s, u" 1:電車"_s, u" 2:給与"_s}));
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(selectedText, u" 0:昼食"_s);
    EXPECT_FALSE(doc->TemplatesChanged());
}

TEST_F(TemplateListTest, SoftKeyMenuOnlyUnderTheHandsetPlatform) {
    Open({kLunch});
    for (bool pocketPc : {false, true}) {
        SCOPED_TRACE(pocketPc ? "soft keys" : "own buttons");
        plat::SetPlatformIdentity(pocketPc ? 5 : 4, u"PocketPC"_s);
        RunList({[&](Dialog& d) {
            SoftKeyBar* bar = d.softKeyBar();
            ASSERT_EQ(bar != nullptr, pocketPc);
            if (bar) {
                EXPECT_EQ(bar->menuId(), 166);
                EXPECT_EQ(bar->label(0), u"収支を追加"_s);
                QMenu* popup = bar->preparePopup(1);
                ASSERT_NE(popup, nullptr);
                EXPECT_EQ(MenuLines(*popup), (QStringList{u"閉じる=1129"_s, u"-"_s, u"追加=1131"_s,
                                                          u"編集=1130"_s, u"削除=1132"_s, u"-"_s,
                                                          u"上へ移動=1133"_s, u"下へ移動=1134"_s}));
                PressSoftKey(static_cast<Window&>(d), 0); // picks the selected line
            } else {
                Close(d);
            }
        }});
    }
}

// The list takes two thirds of the width; on a short screen the buttons
// shrink so that the five edit buttons still fit above "閉じる".
TEST_F(TemplateListTest, LayoutFollowsTheWindowSize) {
    Open({kLunch});
    RunList({[](Dialog& d) {
        auto& dlg = static_cast<Window&>(d);
        for (QSize size : {QSize(300, 400), QSize(240, 150)}) {
            dlg.resize(Lp(size.width()), Lp(size.height()));
            QApplication::processEvents();
            const int w = dlg.ClientSize().width();
            const int h = dlg.ClientSize().height();
            SCOPED_TRACE(QString(u"%1x%2"_s).arg(w).arg(h).toStdString());
            const int c = 2 * w / 3;
            const int d0 = 22; // the button height of the template
            const int bh = h - d0 - 5 < 5 * d0 + 60 ? (h - 65) / 6 : d0;
            EXPECT_EQ(bh < d0, size.height() < 200); // both branches are exercised
            EXPECT_EQ(dlg.ControlRect(kList), QRect(5, 5, c, h - bh - 15));
            EXPECT_EQ(dlg.ControlRect(kPick), QRect(5, h - bh - 5, c, bh));
            EXPECT_EQ(dlg.ControlRect(kClose), QRect(c + 10, h - bh - 5, w - c - 15, bh));
            EXPECT_EQ(dlg.ControlRect(1143), QRect(c + 10, 5, w - c - 15, 5 * bh + 55));
            const int side[] = {kAdd, kEdit, kDelete, kUp, kDown};
            for (int i = 0; i < 5; ++i)
                EXPECT_EQ(dlg.ControlRect(side[i]),
                          QRect(c + 15, 25 + i * (bh + 5), w - c - 25, bh))
                    << side[i];
        }
    }});
}

// --- Picking -------------------------------------------------------------------

struct PickRow {
    const char* name;
    int templates;
    std::function<void(Dialog&)> act;
    int result;
};
void PrintTo(const PickRow& row, std::ostream* os) {
    *os << row.name;
}
class TemplatePick : public TemplateListTest, public ::testing::WithParamInterface<PickRow> {};

TEST_P(TemplatePick, EndsWithTheSlotNumberPlusOneOrZero) {
    const PickRow& row = GetParam();
    Open(Numbered(row.templates));
    EXPECT_EQ(RunList({row.act}), row.result);
    EXPECT_FALSE(doc->TemplatesChanged());
}

void DoubleClickRow(Dialog& d, int row) {
    auto* list = ControlAs<QListWidget>(d, kList);
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

const PickRow kPickRows[] = {
    {"KeyThreePicksLineThree", 5, [](Dialog& d) { PressKeyInWindow(d, Qt::Key_3); }, 4},
    {"KeyZeroPicksTheFirst", 5, [](Dialog& d) { PressKeyInWindow(d, Qt::Key_0); }, 1},
    {"KeyOfAFreeSlotStillPicks", 2, [](Dialog& d) { PressKeyInWindow(d, Qt::Key_9); }, 10},
    {"PickButtonTakesTheSelection", 4,
     [](Dialog& d) {
         SelectIndex(d, kList, 2);
         Click(d, kPick);
     },
     3},
    {"DoubleClickPicksTheLine", 4, [](Dialog& d) { DoubleClickRow(d, 3); }, 4},
    {"EnterOnTheListPicks", 4,
     [](Dialog& d) {
         SelectIndex(d, kList, 1);
         d.GetDlgItem(kList)->setFocus();
         PressKeyInWindow(d, Qt::Key_Return);
     },
     2},
    {"PickWithoutTemplatesDoesNothing", 0,
     [](Dialog& d) {
         Click(d, kPick);
         EXPECT_TRUE(d.IsRunning());
         Close(d);
     },
     0},
    {"CloseButton", 3, [](Dialog& d) { Click(d, kClose); }, 0},
    {"OkCommand", 3, [](Dialog& d) { d.SendCommand(IDOK); }, 0},
    {"Escape", 3, [](Dialog& d) { PressKeyInWindow(d, Qt::Key_Escape); }, 0},
};
INSTANTIATE_TEST_SUITE_P(TemplateList, TemplatePick, ::testing::ValuesIn(kPickRows),
                         [](const auto& row) { return std::string(row.param.name); });

// --- Adding and editing -----------------------------------------------------------

TEST_F(TemplateListTest, AddStoresTheEditedTemplateAtTheEndSelectedAndSaves) {
    Open({kLunch, kFare});
    RunList({[this](Dialog& d) {
                 Click(d, kAdd);
                 EXPECT_EQ(static_cast<CTemplateListDlg&>(d).TemplateCount(), 3);
                 EXPECT_TRUE(doc->TemplatesChanged());
             },
             [](Dialog& edit) {
                 EXPECT_EQ(Text(edit, kEditPrompt),
                           u"定番項目名を入力して、保存ボタンを押して下さい。"_s);
                 EXPECT_EQ(Text(edit, kName), u"新しい定番"_s);
                 EXPECT_EQ(Text(edit, kCategory), u""_s);
                 ClearText(edit, kName);
                 TypeText(edit, kName, u"本"_s);
                 SelectText(edit, kCategory, u"交通費"_s);
                 ClearText(edit, kAmount);
                 TypeText(edit, kAmount, u"1200"_s);
                 Click(edit, IDOK);
             }});
    EXPECT_EQ(leftOpen, 0);
    EXPECT_EQ(lines, (QStringList{u" 0:昼食"_s, u" 1:電車"_s, u" 2:本"_s}));
    EXPECT_EQ(selected, 2);
    const TemplateRecord& added = doc->Templates()[2];
    EXPECT_EQ(added.record.id, 1);
    EXPECT_EQ(QString::fromUtf16(added.record.category), u"交通費"_s);
    EXPECT_EQ(QString::fromUtf16(added.record.remark), u"その他"_s);
    EXPECT_EQ(QString::fromUtf16(added.record.payee), u"その他"_s);
    EXPECT_EQ(QString::fromUtf16(added.record.payMethod), u"現金"_s);
    EXPECT_EQ(added.record.amount, 1200);
    EXPECT_EQ(added.record.date.wYear, 2008); // the test clock's day
    EXPECT_EQ(added.record.date.wDay, 10);

    ASSERT_TRUE(doc->SaveAll());
    const QByteArray file = readFile(doc->DataPath(u"\\TEIBAN.DAT"_s));
    ASSERT_EQ(file.size(), 8 + 3 * 216);
    EXPECT_EQ(file.left(8 + 2 * 216), TemplateFile({kLunch, kFare}));
    const int at = 8 + 2 * 216;
    EXPECT_EQ(GetText(file, at), u"本"_s);
    EXPECT_EQ(Get32(file, at + 32), 1);
    EXPECT_EQ(GetText(file, at + 32 + 4), u"交通費"_s);
    EXPECT_EQ(Get32(file, at + 32 + 148), 1200);
    EXPECT_FALSE(doc->TemplatesChanged());
}

TEST_F(TemplateListTest, AnEleventhTemplateIsRefusedWithoutOpeningTheEntryDialog) {
    Open(Numbered(10));
    RunList({[](Dialog& d) {
        Click(d, kAdd);
        Close(d);
    }});
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, u"これ以上定番データは追加できません。"_s);
    EXPECT_EQ(boxes.shown()[0].caption, u"定番データの追加"_s);
    EXPECT_EQ(lines.size(), 10);
    EXPECT_FALSE(doc->TemplatesChanged());
}

TEST_F(TemplateListTest, EditReplacesTheLineInPlaceAndLeavesNoSelection) {
    Open({kLunch, kFare, kPay});
    RunList({[](Dialog& d) {
                 SelectIndex(d, kList, 2);
                 Click(d, kEdit);
             },
             [](Dialog& edit) {
                 EXPECT_EQ(Text(edit, kName), u"給与"_s);
                 EXPECT_EQ(Text(edit, kAmount), u"250000"_s);
                 EXPECT_TRUE(IsChecked(edit, kIncome));
                 ClearText(edit, kName);
                 TypeText(edit, kName, u"賞与"_s);
                 Click(edit, IDOK);
             }});
    EXPECT_EQ(lines, (QStringList{u" 0:昼食"_s, u" 1:電車"_s, u" 2:賞与"_s}));
    EXPECT_EQ(selected, -1);
    EXPECT_TRUE(selectedText.isEmpty());
    EXPECT_EQ(SlotName(*doc, 2), u"賞与"_s);
    EXPECT_EQ(doc->Templates()[2].record.amount, -250000);
    EXPECT_EQ(QString::fromUtf16(doc->Templates()[2].record.remark), u"月給"_s);
    EXPECT_TRUE(doc->TemplatesChanged());
}

// --- Commands that need a selection -------------------------------------------------

struct NoSelectionRow {
    const char* name;
    int command;
};
void PrintTo(const NoSelectionRow& row, std::ostream* os) {
    *os << row.name;
}
class TemplateNoSelection : public TemplateListTest,
                            public ::testing::WithParamInterface<NoSelectionRow> {};

TEST_P(TemplateNoSelection, DoesNothing) {
    Open({kLunch, kFare});
    RunList({[this](Dialog& d) {
                 // An edit leaves no line selected; the command then must not act.
                 SelectIndex(d, kList, 0);
                 Click(d, kEdit);
                 ASSERT_TRUE(doc->SaveTemplates()); // nothing left unsaved
                 ASSERT_EQ(CurrentIndex(d, kList), -1);
                 Click(d, GetParam().command);
                 EXPECT_TRUE(d.IsRunning());
             },
             [](Dialog& edit) { Click(edit, IDOK); }});
    EXPECT_EQ(lines, (QStringList{u" 0:昼食"_s, u" 1:電車"_s}));
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_FALSE(doc->TemplatesChanged());
}

const NoSelectionRow kNoSelectionRows[] = {
    {"Edit", kEdit}, {"Delete", kDelete}, {"Up", kUp}, {"Down", kDown}, {"Pick", kPick}};
INSTANTIATE_TEST_SUITE_P(TemplateList, TemplateNoSelection, ::testing::ValuesIn(kNoSelectionRows),
                         [](const auto& row) { return std::string(row.param.name); });

// --- Deleting -------------------------------------------------------------------------

TEST_F(TemplateListTest, DeletingTheThirdOfTenFreesTheTenthSlot) {
    Open(Numbered(10));
    RunList({[](Dialog& d) {
        SelectIndex(d, kList, 2);
        Click(d, kDelete);
    }});
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, u"「定番2」を削除してよろしいですか？"_s);
    EXPECT_EQ(boxes.shown()[0].caption, u"定番の削除"_s);
    EXPECT_EQ(lines, (QStringList{u" 0:定番0"_s, u" 1:定番1"_s, u" 2:定番3"_s, u" 3:定番4"_s,
                                  u" 4:定番5"_s, u" 5:定番6"_s, u" 6:定番7"_s, u" 7:定番8"_s,
                                  u" 8:定番9"_s}));
    EXPECT_EQ(selected, 2);
    EXPECT_EQ(doc->Templates()[2].record.amount, 103);
    EXPECT_EQ(doc->Templates()[9].record.id, 0);
    EXPECT_EQ(SlotName(*doc, 9), u"未設定"_s);
    EXPECT_TRUE(doc->TemplatesChanged());

    ASSERT_TRUE(doc->SaveAll());
    std::vector<Tmpl> kept = Numbered(10);
    kept.erase(kept.begin() + 2);
    EXPECT_EQ(readFile(doc->DataPath(u"\\TEIBAN.DAT"_s)), TemplateFile(kept));
}

TEST_F(TemplateListTest, AnsweringNoKeepsTheTemplate) {
    Open({kLunch, kFare});
    boxes.answerNext(plat::IDNO);
    RunList({[](Dialog& d) {
        SelectIndex(d, kList, 1);
        Click(d, kDelete);
    }});
    EXPECT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(lines, (QStringList{u" 0:昼食"_s, u" 1:電車"_s}));
    EXPECT_FALSE(doc->TemplatesChanged());
}

// --- Reordering -----------------------------------------------------------------------

struct MoveRow {
    const char* name;
    int row;
    int command;
    QStringList lines;
    int selected;
    bool changed;
};
void PrintTo(const MoveRow& row, std::ostream* os) {
    *os << row.name;
}
class TemplateReorder : public TemplateListTest, public ::testing::WithParamInterface<MoveRow> {};

TEST_P(TemplateReorder, MovesTheLineAndKeepsItSelected) {
    const MoveRow& row = GetParam();
    Open({kLunch, kFare, kPay});
    RunList({[&](Dialog& d) {
        SelectIndex(d, kList, row.row);
        Click(d, row.command);
    }});
    EXPECT_EQ(lines, row.lines);
    EXPECT_EQ(selected, row.selected);
    EXPECT_EQ(doc->TemplatesChanged(), row.changed);
    EXPECT_EQ(SlotName(*doc, row.selected), lines.value(row.selected).mid(3));
}

const MoveRow kMoveRows[] = {
    {"UpOnTheLast", 2, kUp, {u" 0:昼食"_s, u" 1:給与"_s, u" 2:電車"_s}, 1, true},
    {"DownOnTheFirst", 0, kDown, {u" 0:電車"_s, u" 1:昼食"_s, u" 2:給与"_s}, 1, true},
    {"UpOnTheFirstDoesNothing", 0, kUp, {u" 0:昼食"_s, u" 1:電車"_s, u" 2:給与"_s}, 0, false},
    {"DownOnTheLastDoesNothing", 2, kDown, {u" 0:昼食"_s, u" 1:電車"_s, u" 2:給与"_s}, 2, false},
};
INSTANTIATE_TEST_SUITE_P(TemplateList, TemplateReorder, ::testing::ValuesIn(kMoveRows),
                         [](const auto& row) { return std::string(row.param.name); });

// --- A new entry from a template ----------------------------------------------------------

class TemplateEntryTest : public TemplateListTest {
protected:
    // 2008-04-01 08:15:30, the date the caller hands over.
    const plat::TimeValue kEntryDate = plat::TimeFromFields(2008, 4, 1, 8, 15, 30);
};

TEST_F(TemplateEntryTest, KeyPicksTheTemplateAndTheCheckedEntryIsAddedAndSaved) {
    Open({kLunch, kFare, kPay});
    doc->m_bSaveOnChange = true;
    bool picked = false;
    Drive({[](Dialog& d) { PressKeyInWindow(d, Qt::Key_2); },
           [](Dialog& edit) {
               EXPECT_EQ(Text(edit, kEditPrompt), u"追加ボタンを押すと、データが追加されます。"_s);
               EXPECT_EQ(Text(edit, kAmount), u"250000"_s);
               EXPECT_TRUE(IsChecked(edit, kIncome));
               Click(edit, IDOK);
           }},
          [&] {
              picked = NewEntryFromTemplate(nullptr, *doc, kEntryDate);
              return 0;
          });
    EXPECT_TRUE(picked);
    ASSERT_EQ(doc->Count(), 1u);
    const InOutRecord& r = doc->Head()->record;
    EXPECT_EQ(r.id, 1);
    EXPECT_EQ(r.amount, -250000);

    const QByteArray ledger = readFile(doc->DataPath(u"\\収支.DAT"_s));
    ASSERT_EQ(ledger.size(), 16 + 184);
    EXPECT_EQ(ledger.left(4), QByteArray("TALY"));
    EXPECT_EQ(Get32(ledger, 12), 1);
    const int at = 16;
    EXPECT_EQ(Get32(ledger, at), 1);
    EXPECT_EQ(GetText(ledger, at + 4), u"給与"_s);
    EXPECT_EQ(GetText(ledger, at + 36), u"月給"_s);
    EXPECT_EQ(GetText(ledger, at + 68), u"会社"_s);
    EXPECT_EQ(GetText(ledger, at + 100), u"振込"_s);
    const std::uint16_t date[7] = {2008, 4, 2, 1, 8, 15, 30}; // a Tuesday
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(GetU16(ledger, at + 132 + 2 * i), date[i]) << "date word " << i;
    EXPECT_EQ(Get32(ledger, at + 148), -250000);
    // The template itself keeps its own date and mark.
    EXPECT_EQ(doc->Templates()[2].record.date.wYear, 2007);
    EXPECT_EQ(doc->Templates()[2].record.id, 1);
}

TEST_F(TemplateEntryTest, CancelledEntryAddsNothingButCountsAsPicked) {
    Open({kLunch});
    bool picked = false;
    Drive({[](Dialog& d) { Click(d, kPick); }, [](Dialog& edit) { edit.SendCommand(IDCANCEL); }},
          [&] {
              picked = NewEntryFromTemplate(nullptr, *doc, kEntryDate);
              return 0;
          });
    EXPECT_TRUE(picked);
    EXPECT_EQ(doc->Count(), 0u);
}

TEST_F(TemplateEntryTest, ClosingTheListOpensNoEntryDialog) {
    Open({kLunch});
    bool picked = true;
    Drive({Close}, [&] {
        picked = NewEntryFromTemplate(nullptr, *doc, kEntryDate);
        return 0;
    });
    EXPECT_FALSE(picked);
    EXPECT_EQ(doc->Count(), 0u);
}

TEST_F(TemplateEntryTest, TemplateChangesAreSavedAtOnceOnlyUnderSaveOnChange) {
    for (bool saveOnChange : {false, true}) {
        SCOPED_TRACE(saveOnChange ? "save on change" : "save at exit");
        Open({kLunch, kFare});
        doc->m_bSaveOnChange = saveOnChange;
        Drive({[](Dialog& d) {
                  SelectIndex(d, kList, 0);
                  Click(d, kDelete);
                  Close(d);
              }},
              [&] {
                  NewEntryFromTemplate(nullptr, *doc, kEntryDate);
                  return 0;
              });
        const QByteArray file = readFile(doc->DataPath(u"\\TEIBAN.DAT"_s));
        EXPECT_EQ(file, saveOnChange ? TemplateFile({kFare}) : TemplateFile({kLunch, kFare}));
        EXPECT_EQ(doc->TemplatesChanged(), !saveOnChange);
        doc.reset();
    }
}

TEST_F(TemplateEntryTest, PanelCommandRunsTheFlow) {
    Open({kLunch});
    PanelTasks tasks;
    Drive({[](Dialog& d) { PressKeyInWindow(d, Qt::Key_0); },
           [](Dialog& edit) { Click(edit, IDOK); }},
          [&] {
              tasks.NewEntryFromTemplate(nullptr, *doc, kEntryDate);
              return 0;
          });
    ASSERT_EQ(doc->Count(), 1u);
    EXPECT_EQ(QString::fromUtf16(doc->Head()->record.category), u"食費"_s);
    EXPECT_EQ(doc->Head()->record.amount, 650);
}

} // namespace
