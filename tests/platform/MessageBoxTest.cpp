// Message boxes: the installed handler answers, without one the safe default.
#include "support/DeviceTest.h"

#include "platform/MessageBox.h"

using namespace plat;
using namespace Qt::StringLiterals;

namespace {

using MessageBoxTest = DeviceTest;

TEST_F(MessageBoxTest, ShowErrorFormatsTheCodeAsSignedDecimal) {
    struct Row {
        DWORD code;
        QString text;
    };
    const Row rows[] = {
        {2, u"Error ! ID = 2"_s},
        {183, u"Error ! ID = 183"_s},
        {0xFFFFFFFFu, u"Error ! ID = -1"_s},
    };
    for (const Row& row : rows) {
        boxes.clear();
        EXPECT_TRUE(ShowError(row.code));
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(boxes.shown()[0].text, row.text);
        EXPECT_EQ(boxes.shown()[0].caption, u"ERROR"_s);
        EXPECT_EQ(boxes.shown()[0].flags, unsigned{MB_OK});
    }
}

TEST_F(MessageBoxTest, HandlerAnswersAndCanBeReplaced) {
    boxes.answerNext(IDNO);
    EXPECT_EQ(MessageBox(u"削除しますか？"_s, u"確認"_s, MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageBox(u"削除しますか？"_s, u"確認"_s, MB_YESNO | MB_ICONQUESTION), IDYES);
    int calls = 0;
    MessageBoxHandler previous =
        SetMessageBoxHandler([&](const QString&, const QString&, unsigned) {
            ++calls;
            return int{IDCANCEL};
        });
    EXPECT_TRUE(previous);
    EXPECT_EQ(MessageBox(u"x"_s, u"y"_s, MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(calls, 1);
    SetMessageBoxHandler(previous);
    EXPECT_EQ(boxes.shown().size(), 2u);
}

TEST_F(MessageBoxTest, WithoutHandlerDeclinesQuestions) {
    MessageBoxHandler previous = SetMessageBoxHandler({});
    EXPECT_EQ(MessageBox(u"ok box"_s, u"c"_s, MB_OK), IDOK);
    EXPECT_EQ(MessageBox(u"question"_s, u"c"_s, MB_YESNO), IDNO);
    EXPECT_TRUE(ShowError(5));
    SetMessageBoxHandler(previous);
    EXPECT_TRUE(boxes.shown().empty());
}

} // namespace
