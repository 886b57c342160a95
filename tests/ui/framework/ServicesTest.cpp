// The Qt message box behind the platform's boxes, and input-method hints.
#include "platform/MessageBox.h"
#include "platform/System.h"
#include "support/DeviceTest.h"
#include "ui/framework/Framework.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

using namespace tb::ui;

namespace {

class ServicesTest : public DeviceTest {};

// Notes the next Qt box as "icon: buttons: caption: text" and clicks `answer`.
void AnswerNextBox(const QString& answer, QString& seen) {
    QTimer::singleShot(0, [answer, &seen] { // runs in the box's own event loop
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        QStringList buttons;
        for (QAbstractButton* b : box->buttons())
            buttons << b->text();
        seen = QStringLiteral("%1: %2: %3: %4")
                   .arg(box->icon())
                   .arg(buttons.join(u'/'), box->windowTitle(), box->text());
        box->buttons().at(buttons.indexOf(answer))->click();
    });
}

TEST_F(ServicesTest, QtMessageBoxShowsTheFlagsButtonsAndIconAndAnswers) {
    using M = QMessageBox;
    const std::tuple<unsigned, M::Icon, QString, QString, int> cases[] = {
        {0x0, M::NoIcon, "OK", "OK", plat::IDOK},
        {0x10, M::Critical, "OK", "OK", plat::IDOK},
        {0x24, M::Question, "はい/いいえ", "はい", plat::IDYES},
        {0x34, M::Warning, "はい/いいえ", "いいえ", plat::IDNO},
        {0x40, M::Information, "OK", "OK", plat::IDOK},
        {0x31, M::Warning, "OK/キャンセル", "キャンセル", plat::IDCANCEL}};
    InstallMessageBoxHandler(); // in place of the recorder, which the fixture removes
    for (const auto& [flags, icon, buttons, click, answer] : cases) {
        QString seen;
        AnswerNextBox(click, seen);
        EXPECT_EQ(plat::MessageBox(u"本当に削除しますか？"_qs, u"データの整理"_qs, flags), answer);
        EXPECT_EQ(
            seen,
            QStringLiteral("%1: %2: データの整理: 本当に削除しますか？").arg(icon).arg(buttons));
    }
}

TEST_F(ServicesTest, ImeStatusSetsInputHintsAndReadsBack) {
    // Hiragana 9, full-width katakana 11, alphanumeric 8, half-width (number mode) 0.
    const std::tuple<plat::DWORD, bool, bool> cases[] = {
        {9, false, false}, {11, false, false}, {8, true, false}, {0, true, true}};
    InstallImeHandlers();
    QLineEdit edit;
    for (const auto& [conversion, latin, numbers] : cases) {
        plat::DWORD readConversion = 99, sentence = 99;
        ASSERT_TRUE(plat::ImmSetConversionStatus(&edit, conversion, 4));
        ASSERT_TRUE(plat::ImmGetConversionStatus(&edit, &readConversion, &sentence));
        const auto hints = edit.inputMethodHints();
        EXPECT_EQ(std::tuple(readConversion, sentence, bool(hints & Qt::ImhPreferLatin),
                             bool(hints & Qt::ImhPreferNumbers)),
                  std::tuple(conversion, plat::DWORD{4}, latin, numbers));
    }
    plat::SetImeHandlers({});
}

} // namespace
