// The item edit driven as a person does: choose a list, click entries, type,
// add, change, delete, answer the question, close; then the list files' bytes.
#include "support/DocTest.h"

#include "ledger/Lists.h"
#include "ui/framework/testing/Harness.h"
#include "ui/main/CMyTALYView.h"
#include "ui/main/PanelTasks.h"
#include "ui/maintenance/CItemEditDlg.h"

#include <QTest>
#include <QTreeWidget>

using namespace tb::ui;
using namespace tb::ui::testing;
using bytes::ListFile;

namespace {

constexpr int kAdd = 1025;
constexpr int kList = 1030;
constexpr int kChange = 1040;
constexpr int kDelete = 1041;
constexpr int kItem = 1042;
constexpr int kChoice = 1043;
constexpr int kClose = 1;

const QString kOther = QStringLiteral(u"その他");
const QString kFood = QStringLiteral(u"食費");
const QString kRent = QStringLiteral(u"家賃");
const QString kLunch = QStringLiteral(u"昼食");
const QString kCategories = QStringLiteral(u"\\分類.DAT");
const QString kFoodRemarks = QStringLiteral(u"\\備考\\食費.DAT");
const QString kFoodPayees = QStringLiteral(u"\\支払先\\食費.DAT");

QStringList Rows(const Dialog& dlg) {
    QStringList rows;
    const auto* t = ControlAs<QTreeWidget>(dlg, kList);
    for (int i = 0; t && i < t->topLevelItemCount(); ++i)
        rows << t->topLevelItem(i)->text(0);
    return rows;
}

// Add, change and delete enabled, as "ACD" with "-" for a disabled one.
QString Buttons(const Dialog& dlg) {
    QString s;
    s += IsEnabled(dlg, kAdd) ? u'A' : u'-';
    s += IsEnabled(dlg, kChange) ? u'C' : u'-';
    s += IsEnabled(dlg, kDelete) ? u'D' : u'-';
    return s;
}

class ItemEditTest : public DocTest {
protected:
    void SetUp() override {
        DocTest::SetUp();
        doc = openDoc();
    }
    // Runs the dialog; `drive` acts inside its modal run and closes it.
    void Run(const std::function<void(Dialog&)>& drive, int expected = IDOK) {
        CItemEditDlg dlg(doc.get());
        ModalDriver driver;
        driver.then([&](Dialog& d) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
            drive(d);
        });
        EXPECT_EQ(dlg.DoModal(), expected);
        EXPECT_EQ(driver.unexpectedRuns(), 0);
    }
    std::unique_ptr<CMyTALYDoc> doc;
};

TEST_F(ItemEditTest, NoCategoryFileShowsOtherAndSavesItWithCountOne) {
    Run([](Dialog& d) {
        EXPECT_EQ(Items(d, kChoice),
                  (QStringList{QStringLiteral(u"分類"), QStringLiteral(u"備考\\その他"),
                               QStringLiteral(u"支払先\\その他"), QStringLiteral(u"支払方法")}));
        EXPECT_EQ(Rows(d), QStringList{kOther});
        EXPECT_EQ(Buttons(d), QStringLiteral("--D"));
        Click(d, kClose);
    });
    EXPECT_EQ(readData(kCategories), ListFile({kOther}));
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(ItemEditTest, AddChangeDeleteFollowTheEditAndTheClickedEntry) {
    writeData(kCategories, ListFile({kFood, kRent}));
    Run([](Dialog& d) {
        ClickListRow(d, kList, 1);
        EXPECT_EQ(Text(d, kItem), kRent);
        EXPECT_EQ(Buttons(d), QStringLiteral("--D"));
        TypeText(d, kItem, QStringLiteral("X"));
        EXPECT_EQ(Buttons(d), QStringLiteral("ACD"));
        ClearText(d, kItem);
        EXPECT_EQ(Buttons(d), QStringLiteral("--D"));
        TypeText(d, kItem, QStringLiteral(u"光熱"));
        Click(d, kChange);
        EXPECT_EQ(Rows(d), (QStringList{kFood, QStringLiteral(u"光熱")}));
        EXPECT_EQ(Text(d, kItem), QString());
        EXPECT_EQ(Buttons(d), QStringLiteral("---"));
        TypeText(d, kItem, kFood);
        Click(d, kAdd);
        TypeText(d, kItem, kFood);
        Click(d, kAdd); // no duplicate check
        EXPECT_EQ(Rows(d), (QStringList{kFood, QStringLiteral(u"光熱"), kFood, kFood}));
        Click(d, kClose);
    });
    EXPECT_EQ(readData(kCategories), ListFile({kFood, QStringLiteral(u"光熱"), kFood, kFood}));
}

TEST_F(ItemEditTest, LongEntryIsSavedCutTo31Characters) {
    const QString text35 = QStringLiteral("abcdefghijklmnopqrstuvwxyz012345678");
    Run([&](Dialog& d) {
        SelectText(d, kChoice, QStringLiteral(u"支払方法"));
        TypeText(d, kItem, text35);
        Click(d, kAdd);
        EXPECT_EQ(Rows(d).last(), text35);
        Click(d, kClose);
    });
    EXPECT_EQ(readData(QStringLiteral(u"\\支払方法.DAT")), ListFile({kOther, text35.left(31)}));
}

TEST_F(ItemEditTest, SwitchingListsWritesTheShownListAndCreatesTheNextOne) {
    writeData(kCategories, ListFile({kFood}));
    Run([](Dialog& d) {
        TypeText(d, kItem, kRent);
        Click(d, kAdd);
        SelectText(d, kChoice, QStringLiteral(u"備考\\食費"));
        EXPECT_EQ(Rows(d), QStringList{kOther});
        EXPECT_EQ(Buttons(d), QStringLiteral("--D"));
        TypeText(d, kItem, kLunch);
        Click(d, kAdd);
        SelectText(d, kChoice, QStringLiteral(u"分類"));
        EXPECT_EQ(Rows(d), (QStringList{kFood, kRent}));
        // Categories added while the dialog runs get their lists next time.
        EXPECT_EQ(Items(d, kChoice).size(), 4);
        Click(d, kClose);
    });
    EXPECT_EQ(readData(kCategories), ListFile({kFood, kRent}));
    EXPECT_EQ(readData(kFoodRemarks), ListFile({kOther, kLunch}));
}

TEST_F(ItemEditTest, DeletingACategoryWithYesRemovesItsListsOnly) {
    const QString kFoodOut = QStringLiteral(u"食費外食");
    // The longer name comes first, where a search by prefix would find it.
    writeData(kCategories, ListFile({kFoodOut, kFood}));
    writeData(kFoodRemarks, ListFile({kLunch}));
    writeData(kFoodPayees, ListFile({kLunch}));
    writeData(QStringLiteral(u"\\備考\\食費外食.DAT"), ListFile({kLunch}));
    boxes.answerNext(plat::IDYES);
    Run([](Dialog& d) {
        ClickListRow(d, kList, 1);
        Click(d, kDelete);
        EXPECT_EQ(Rows(d), QStringList{QStringLiteral(u"食費外食")});
        EXPECT_EQ(Buttons(d), QStringLiteral("---"));
        EXPECT_EQ(Items(d, kChoice),
                  (QStringList{QStringLiteral(u"分類"), QStringLiteral(u"備考\\食費外食"),
                               QStringLiteral(u"支払先\\食費外食"), QStringLiteral(u"支払方法")}));
        Click(d, kClose);
    });
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text,
              QStringLiteral(u"関連づけられた備考と支払先のデータも削除しますか？"));
    EXPECT_EQ(boxes.shown()[0].caption, QStringLiteral(u"削除"));
    EXPECT_EQ(boxes.shown()[0].flags, 4u);
    EXPECT_FALSE(fileExists(inFolder(kFoodRemarks)));
    EXPECT_FALSE(fileExists(inFolder(kFoodPayees)));
    EXPECT_EQ(readData(QStringLiteral(u"\\備考\\食費外食.DAT")), ListFile({kLunch}));
    EXPECT_EQ(readData(kCategories), ListFile({kFoodOut}));
}

TEST_F(ItemEditTest, DeletingACategoryWithNoKeepsItsListsAndChoices) {
    writeData(kCategories, ListFile({kFood, kRent}));
    writeData(kFoodRemarks, ListFile({kLunch}));
    boxes.answerNext(plat::IDNO);
    Run([](Dialog& d) {
        ClickListRow(d, kList, 0);
        Click(d, kDelete);
        EXPECT_EQ(Items(d, kChoice).size(), 6);
        SelectText(d, kChoice, QStringLiteral(u"備考\\食費"));
        EXPECT_EQ(Rows(d), QStringList{kLunch});
        Click(d, kClose);
    });
    EXPECT_EQ(readData(kCategories), ListFile({kRent}));
    EXPECT_EQ(readData(kFoodRemarks), ListFile({kLunch}));
}

TEST_F(ItemEditTest, DeletingOneOfTwoEqualCategoriesKeepsTheirLists) {
    writeData(kCategories, ListFile({kFood, kFood}));
    writeData(kFoodRemarks, ListFile({kLunch}));
    boxes.answerNext(plat::IDYES);
    Run([](Dialog& d) {
        ClickListRow(d, kList, 1);
        Click(d, kDelete);
        Click(d, kClose);
    });
    EXPECT_EQ(readData(kCategories), ListFile({kFood}));
    EXPECT_EQ(readData(kFoodRemarks), ListFile({kLunch}));
}

TEST_F(ItemEditTest, RenamedCategoryKeepsItsListsUnderTheOldName) {
    writeData(kCategories, ListFile({kFood}));
    writeData(kFoodRemarks, ListFile({kLunch}));
    Run([](Dialog& d) {
        ClickListRow(d, kList, 0);
        ClearText(d, kItem);
        TypeText(d, kItem, kRent);
        Click(d, kChange);
        Click(d, kClose);
    });
    EXPECT_EQ(readData(kCategories), ListFile({kRent}));
    EXPECT_EQ(readData(kFoodRemarks), ListFile({kLunch}));
}

TEST_F(ItemEditTest, DeletingInAnotherListAsksNothing) {
    writeData(kCategories, ListFile({kFood}));
    writeData(kFoodPayees, ListFile({kLunch, kRent}));
    Run([](Dialog& d) {
        SelectText(d, kChoice, QStringLiteral(u"支払先\\食費"));
        ClickListRow(d, kList, 0);
        Click(d, kDelete);
        Click(d, kClose);
    });
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(readData(kFoodPayees), ListFile({kRent}));
}

// A category text with a path in it must not reach files outside the lists.
TEST_F(ItemEditTest, CategoryTextCannotDeleteFilesOutsideItsFolder) {
    const QString escape = QStringLiteral("..\\..\\Keep");
    writeData(kCategories, ListFile({escape}));
    writeFile(QStringLiteral("\\My Documents\\Keep.DAT"), "keep");
    boxes.answerNext(plat::IDYES);
    Run([](Dialog& d) {
        ClickListRow(d, kList, 0);
        Click(d, kDelete);
        Click(d, kClose);
    });
    EXPECT_EQ(readFile(QStringLiteral("\\My Documents\\Keep.DAT")), QByteArray("keep"));
}

// A list that could not be read must not be overwritten with the entries of
// the list shown before it.
TEST_F(ItemEditTest, UnreadableListIsNotOverwrittenWithTheShownEntries) {
    writeData(kCategories, ListFile({kFood}));
    // A folder where the remark file should be: it cannot be opened as a file.
    ASSERT_TRUE(QDir().mkpath(host(inFolder(kFoodRemarks))));
    Run([](Dialog& d) {
        SelectText(d, kChoice, QStringLiteral(u"備考\\食費"));
        EXPECT_EQ(Rows(d), QStringList{kFood}); // the view keeps what it showed
        Click(d, kClose);
    });
    EXPECT_EQ(errorCodes().size(), 1u);
    EXPECT_TRUE(QFileInfo(host(inFolder(kFoodRemarks))).isDir());
    EXPECT_EQ(readData(kCategories), ListFile({kFood}));
}

TEST_F(ItemEditTest, ClosingByTheWindowManagerSavesToo) {
    Run(
        [](Dialog& d) {
            TypeText(d, kItem, kRent);
            Click(d, kAdd);
            d.close();
        },
        IDCANCEL);
    EXPECT_EQ(readData(kCategories), ListFile({kOther, kRent}));
}

// The command panel's "項目編集..." runs the dialog while the panel is hidden.
TEST_F(ItemEditTest, PanelOpensItOnTheCategoryListWhileHidden) {
    PanelTasks tasks;
    CMyTALYView panel(*doc, tasks);
    ASSERT_TRUE(ShowActive(panel));
    bool panelShown = true;
    ModalDriver driver;
    driver.then([&](Dialog& d) {
        panelShown = panel.isVisible();
        EXPECT_EQ(d.windowTitle(), QStringLiteral(u"項目の編集"));
        TypeText(d, kItem, kRent);
        Click(d, kAdd);
        Click(d, kClose);
    });
    Click(panel, 32792);
    EXPECT_EQ(driver.pending(), 0);
    EXPECT_FALSE(panelShown);
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(readData(kCategories), ListFile({kOther, kRent}));
}

} // namespace
