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

class ServicesTest : public DeviceTest {};

namespace {

struct SeenBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QString text, caption;
};

// Waits for the next Qt message box, notes what it shows and clicks a button.
void AnswerNextBox(const QString& buttonText, SeenBox& seen) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, buttonText, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        poll->stop();
        poll->deleteLater();
        seen.icon = box->icon();
        seen.text = box->text();
        seen.caption = box->windowTitle();
        for (QAbstractButton* b : box->buttons())
            seen.buttons << b->text();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == buttonText) b->click();
    });
    poll->start(5);
}

} // namespace

TEST_F(ServicesTest, QtMessageBoxShowsTheFlagsButtonsAndIconAndAnswers) {
    struct Case {
        const char* name;
        unsigned flags;
        QMessageBox::Icon icon;
        QStringList buttons;
        QString click;
        int answer;
    };
    const Case cases[] = {
        {"plain OK", 0x0, QMessageBox::NoIcon, {"OK"}, "OK", plat::IDOK},
        {"stop", 0x10, QMessageBox::Critical, {"OK"}, "OK", plat::IDOK},
        {"question yes", 0x24, QMessageBox::Question, {"はい", "いいえ"}, "はい", plat::IDYES},
        {"warning no", 0x34, QMessageBox::Warning, {"はい", "いいえ"}, "いいえ", plat::IDNO},
        {"information", 0x40, QMessageBox::Information, {"OK"}, "OK", plat::IDOK},
        {"ok cancel",
         0x31,
         QMessageBox::Warning,
         {"OK", "キャンセル"},
         "キャンセル",
         plat::IDCANCEL},
    };
    boxes.uninstall();
    InstallMessageBoxHandler();
    for (const Case& c : cases) {
        SeenBox seen;
        AnswerNextBox(c.click, seen);
        EXPECT_EQ(plat::MessageBox(QStringLiteral("本当に削除してもよろしいですか？"),
                                   QStringLiteral("データの整理"), c.flags),
                  c.answer)
            << c.name;
        EXPECT_EQ(seen.icon, c.icon) << c.name;
        EXPECT_EQ(seen.buttons, c.buttons) << c.name;
        EXPECT_EQ(seen.text, "本当に削除してもよろしいですか？") << c.name;
        EXPECT_EQ(seen.caption, "データの整理") << c.name;
    }
    plat::SetMessageBoxHandler({});
}

TEST_F(ServicesTest, ImeStatusSetsInputHintsAndReadsBack) {
    struct Case {
        const char* name;
        plat::DWORD conversion;
        bool latin, numbers;
    };
    const Case cases[] = {
        {"hiragana", 9, false, false},
        {"full-width katakana", 11, false, false},
        {"full-width alphanumeric", 8, true, false},
        {"half-width alphanumeric (number mode)", 0, true, true},
    };
    InstallImeHandlers();
    QLineEdit edit;
    for (const Case& c : cases) {
        ASSERT_TRUE(plat::ImmSetConversionStatus(&edit, c.conversion, 4)) << c.name;
        EXPECT_EQ(bool(edit.inputMethodHints() & Qt::ImhPreferLatin), c.latin) << c.name;
        EXPECT_EQ(bool(edit.inputMethodHints() & Qt::ImhPreferNumbers), c.numbers) << c.name;
        plat::DWORD conversion = 99, sentence = 99;
        ASSERT_TRUE(plat::ImmGetConversionStatus(&edit, &conversion, &sentence));
        EXPECT_EQ(conversion, c.conversion) << c.name;
        EXPECT_EQ(sentence, 4u) << c.name;
    }
    plat::SetImeHandlers({});
}
