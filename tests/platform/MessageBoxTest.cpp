// Message boxes: the installed handler answers, without one the safe default.
#include "support/DeviceTest.h"

#include "platform/MessageBox.h"

using namespace plat;
using namespace Qt::StringLiterals;

namespace {

using MessageBoxTest = DeviceTest;

TEST_F(MessageBoxTest, ShowErrorFormatsTheCodeAsSignedDecimal) {
    for (const DWORD code : {DWORD{183}, DWORD{0xFFFFFFFFu}})
        EXPECT_TRUE(ShowError(code));
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.texts(), (std::vector{u"Error ! ID = 183"_s, u"Error ! ID = -1"_s}));
    EXPECT_EQ(boxes.shown()[0].caption, u"ERROR"_s);
    EXPECT_EQ(boxes.shown()[0].flags, unsigned{MB_OK});
}

TEST_F(MessageBoxTest, HandlerAnswersUntilReplacedThenQuestionsAreDeclined) {
    boxes.answerNext(IDNO);
    EXPECT_EQ(MessageBox(u"削除しますか？"_s, u"確認"_s, MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(MessageBox(u"削除しますか？"_s, u"確認"_s, MB_YESNO | MB_ICONQUESTION), IDYES);
    const MessageBoxHandler previous = SetMessageBoxHandler({});
    EXPECT_TRUE(previous);
    EXPECT_EQ(MessageBox(u"ok box"_s, u"c"_s, MB_OK), IDOK);
    EXPECT_EQ(MessageBox(u"question"_s, u"c"_s, MB_YESNO), IDNO);
    EXPECT_TRUE(ShowError(5));
    SetMessageBoxHandler(previous);
    EXPECT_EQ(boxes.shown().size(), 2u);
}

} // namespace
