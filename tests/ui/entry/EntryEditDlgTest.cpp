// The entry edit dialog driven as a person does, with the record each run hands back.
#include "support/DocTest.h"
#include "support/ModalRunner.h"
#include "support/RegistryProbe.h"

#include "platform/Faults.h"
#include "platform/System.h"
#include "ui/entry/CEntryEditDlg.h"
#include "ui/framework/Bars.h"
#include "ui/framework/testing/Harness.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <cstring>

using namespace tb::ui;
using namespace tb::ui::testing;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kNameLabel = 1117, kName = 1118, kDateLabel = 1116, kCategory = 1049, kRemark = 1050,
              kAmount = 1055, kCalc = 1038, kIncome = 1131, kDate = 1054, kPayee = 1052,
              kPayMethod = 1053, kOk = 1, kCancelButton = 1056, kCalcAmount = 1006, kCalcFinish = 3,
              kCalcCancel = 2;
const int kFields[] = {kName, kDate,   kCategory, kRemark,   kAmount,
                       kCalc, kIncome, kPayee,    kPayMethod};

InOutRecord Entry(const QString& category, const QString& remark, std::int32_t amount) {
    InOutRecord r = bytes::MakeRecord(
        {7, category, remark, u"コンビニ"_s, u"現金"_s, 2008, 3, 1, 10, amount, 9, 30});
    r.reserved[5] = 0xA5; // bytes the dialog must carry through untouched
    return r;
}

class EntryEditTest : public OpenDocTest {
protected:
    void SetUp() override {
        OpenDocTest::SetUp();
        writeEntryLists();
    }

    // Runs a dialog on `record` in `mode`; `drive` acts in its run, `more` in the calculator's.
    int Run(const InOutRecord& record, unsigned mode, DialogAction drive,
            std::vector<DialogAction> more = {}) {
        CEntryEditDlg dlg(doc.get());
        dlg.m_record = record;
        dlg.m_nMode = mode;
        const ModalRun run = RunModal(dlg, std::move(drive), std::move(more));
        handedBack = dlg.m_record;
        return run.result;
    }

    static bool SameBytes(const InOutRecord& a, const InOutRecord& b) {
        return std::memcmp(&a, &b, sizeof a) == 0;
    }

    InOutRecord handedBack{};
    const InOutRecord lunch = Entry(u"食費"_s, u"昼食"_s, 850);
};

// Name, mode, OK text, soft-key menu, the row hidden, every field disabled; the first mode bit
// set wins. A cancel after a change, by the button or the soft key, hands nothing back.
const std::tuple<const char*, unsigned, const char*, int, int, bool> kModeRows[] = {
    {"Change", 1, "変更(OK)", 163, kName, false},
    {"Delete", 2, "削除(OK)", 162, kName, true},
    {"Add", 8, "追加(OK)", 164, kName, false},
    {"Template", 4, "保存(OK)", 161, kDate, false},
    {"NoModeKeepsTemplateTexts", 0, "変更(OK)", 157, kName, false},
    {"ChangeBeforeDelete", 3, "変更(OK)", 163, kName, false},
    {"AddBeforeTemplate", 12, "追加(OK)", 164, kName, false},
};

TEST_F(EntryEditTest, ModesSetButtonSoftKeysAndFieldsAndCancelHandsNothingBack) {
    for (const auto& [name, mode, okText, menu, hidden, readOnly] : kModeRows) {
        SCOPED_TRACE(name);
        for (bool pocketPc : {false, true}) {
            SCOPED_TRACE(pocketPc ? "soft keys" : "own buttons");
            plat::SetPlatformIdentity(pocketPc ? 5 : 4, u"PocketPC"_s);
            const int result = Run(lunch, mode, [&](Dialog& dlg) {
                EXPECT_EQ(Text(dlg, kOk).toStdString(), okText);
                EXPECT_EQ(dlg.softKeyBar() ? dlg.softKeyBar()->menuId() : 0, pocketPc ? menu : 0);
                EXPECT_EQ(IsShown(dlg, kOk) + IsEnabled(dlg, kCancelButton), pocketPc ? 0 : 2);
                for (auto [id, label] : {std::pair{kName, kNameLabel}, {kDate, kDateLabel}})
                    EXPECT_EQ(IsShown(dlg, id) + IsShown(dlg, label), id != hidden ? 2 : 0) << id;
                for (int id : kFields)
                    EXPECT_EQ(IsEnabled(dlg, id), id != hidden && !readOnly) << id;
                EXPECT_EQ(ClippedTexts(dlg).join(u" | ").toStdString(), "");
                ClearText(dlg, kAmount);
                TypeText(dlg, kAmount, u"5"_s);
                SelectText(dlg, kCategory, u"給与"_s);
                pocketPc ? PressSoftKey(dlg, 0) : Click(dlg, kCancelButton);
            });
            EXPECT_EQ(result, IDCANCEL);
            EXPECT_TRUE(SameBytes(handedBack, lunch));
        }
    }
}

// A missing list offers only the entry's own texts. Delete mode reads nothing back, so even an
// entry past the limit can go. An unreadable list shows its error and the dialog still works.
TEST_F(EntryEditTest, ListsMissingOrUnreadableDeleteAndATemplateWithoutName) {
    InOutRecord book = Entry(u"趣味"_s, u"本"_s, std::numeric_limits<std::int32_t>::min());
    SetFieldText(book.payee, u"");
    const int deleted = Run(book, CEntryEditDlg::ModeDelete, [](Dialog& dlg) {
        EXPECT_EQ(Items(dlg, kRemark) + Items(dlg, kPayee) + Items(dlg, kCategory).mid(3),
                  (QStringList{u"本"_s, u"趣味"_s}));
        EXPECT_EQ(Text(dlg, kAmount), u"2147483648"_s);
        EXPECT_TRUE(IsChecked(dlg, kIncome));
        Click(dlg, kOk);
    });
    EXPECT_EQ(deleted, IDOK);
    EXPECT_TRUE(SameBytes(handedBack, book));
    // A template needs a name. The handset types text in the text fields, numbers in the amount.
    doc->m_bHarunoDevice = true;
    plat::faults::FailNth(plat::faults::Op::Open, 1, plat::ERROR_ACCESS_DENIED);
    std::vector<plat::DWORD> seen;
    const int saved = Run(lunch, CEntryEditDlg::ModeTemplate, [&](Dialog& dlg) {
        EXPECT_EQ(Items(dlg, kCategory), QStringList{});
        EXPECT_EQ(Items(dlg, kRemark), (QStringList{u"昼食"_s, u"夕食"_s}));
        Click(dlg, kOk);
        EXPECT_TRUE(dlg.IsRunning());
        for (int id : {kAmount, kRemark, kAmount, kPayee, kAmount, kPayMethod, kAmount, kName}) {
            dlg.GotoDlgCtrl(id);
            QApplication::processEvents();
            seen.push_back(regprobe::PhoneStatus(u"Status22"_s) & 0xFFFF);
        }
        TypeText(dlg, kName, u"昼"_s);
        Click(dlg, kOk);
    });
    EXPECT_EQ(saved, IDOK);
    EXPECT_TRUE(SameBytes(handedBack, lunch)); // the category shown though its list was not
    EXPECT_EQ(seen, (std::vector<plat::DWORD>{7, 0, 7, 0, 7, 0, 7, 0}));
    EXPECT_EQ(boxes.texts(),
              (std::vector<QString>{u"Error ! ID = 5"_s, u"定番名を入力してください"_s}));
}

// A refused field keeps the dialog open and the record as given. The calculator works on the
// signed amount with the dialog hidden. Typed and shown texts outlive a category change.
TEST_F(EntryEditTest, RefusalsCalculatorListsAndEveryChangedFieldHandedBack) {
    plat::SetPlatformIdentity(5, u"PocketPC"_s); // confirmed with F2, the right soft key
    const QString range = validation::IntegerRange(0, 2000000000);
    const QString choose = u"項目を選択してください"_s;
    const std::pair<int, QString> refusals[] = {
        {kAmount, u"-5"_s}, {kAmount, u"2000000001"_s}, {kRemark, u""_s},
        {kCategory, u""_s}, {kPayMethod, u""_s},        {kPayee, u""_s},
    };
    QStringList seen;
    Dialog* edit = nullptr;
    Run(lunch, CEntryEditDlg::ModeChange,
        [&](Dialog& dlg) {
            edit = &dlg;
            for (const auto& [field, typed] : refusals) {
                const QString given = Text(dlg, field);
                ClearText(dlg, field);
                TypeText(dlg, field, typed);
                PressKeyInWindow(dlg, Qt::Key_F2);
                EXPECT_TRUE(dlg.IsRunning()) << field;
                ClearText(dlg, field);
                TypeText(dlg, field, given);
            }
            EXPECT_TRUE(SameBytes(static_cast<CEntryEditDlg&>(dlg).m_record, lunch));
            for (int run = 0; run < 3; ++run) {
                Click(dlg, kCalc);
                seen << Text(dlg, kAmount) << (IsChecked(dlg, kIncome) ? u"income"_s : u""_s);
            }
            seen << (dlg.isVisible() ? u"shown"_s : u"hidden"_s);
            ClearText(dlg, kRemark);
            TypeText(dlg, kRemark, u"あいうえおかきくけこさしすせそたち"_s);
            SelectText(dlg, kCategory, u"交通費"_s);
            EXPECT_EQ(Items(dlg, kRemark),
                      (QStringList{u"電車"_s, u"昼食"_s, u"あいうえおかきくけこさしすせそ"_s}));
            EXPECT_EQ(Items(dlg, kPayee), (QStringList{u"JR"_s, u"コンビニ"_s}));
            EXPECT_EQ(Text(dlg, kPayee), u"コンビニ"_s);
            SelectText(dlg, kPayMethod, u"カード"_s);
            ClearText(dlg, kAmount);
            TypeText(dlg, kAmount, u"1280"_s);
            ControlAs<QDateTimeEdit>(dlg, kDate)->setDate(QDate(2008, 2, 29));
            PressKeyInWindow(dlg, Qt::Key_F2);
        },
        {[&](Dialog& calc) {
             seen << (edit->isVisible() ? u"shown"_s : u"hidden"_s);
             for (int key : {1024, 1007 + 2, 1018, 1026}) // － 2 ０００ ＝: 850 − 2000
                 Click(calc, key);
             Click(calc, kCalcFinish);
         },
         [&](Dialog& calc) {
             seen << Text(calc, kCalcAmount) << (IsChecked(calc, kIncome) ? u"checked"_s : u""_s);
             PressKeys(calc, {Qt::Key_5, Qt::Key_Return});
         },
         [](Dialog& calc) {
             PressKeyInWindow(calc, Qt::Key_7);
             Click(calc, kCalcCancel);
         }});
    EXPECT_EQ(boxes.texts(), (std::vector<QString>{range, range, choose, choose, choose, choose}));
    EXPECT_EQ(boxes.shown()[0].caption + boxes.shown()[2].caption, u"注意！注意！"_s);
    EXPECT_EQ(seen, (QStringList{u"hidden"_s, u"1150"_s, u"income"_s, u"1150"_s, u"checked"_s,
                                 u"5"_s, u"income"_s, u"5"_s, u"income"_s, u"shown"_s}));
    // The income box the calculator checked gives the sign.
    InOutRecord expected = Entry(u"交通費"_s, u"あいうえおかきくけこさしすせそ"_s, -1280);
    SetFieldText(expected.payMethod, u"カード");
    expected.date = plat::SYSTEMTIME{2008, 2, 5, 29, 9, 30, 0, 0};
    EXPECT_TRUE(SameBytes(handedBack, expected));
}

} // namespace
