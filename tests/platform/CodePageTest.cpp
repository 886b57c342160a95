// CP932 conversion: table points of the handset's code page, the extension
// rows, and what becomes of characters and bytes that do not convert.
#include "support/DeviceTest.h"

#include "platform/CodePage.h"

using namespace plat;
using namespace Qt::StringLiterals;

namespace {

using CodePageTest = DeviceTest;

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

TEST_F(CodePageTest, TablePointsConvertBothWays) {
    struct Row {
        const char* name;
        QString text;
        QByteArray bytes;
    };
    const Row rows[] = {
        {"ascii", u"Tally,123"_s, "Tally,123"},
        {"fullwidth tilde", u"～"_s, Bytes({0x81, 0x60})},
        {"double vertical line", u"∥"_s, Bytes({0x81, 0x61})},
        {"fullwidth minus", u"－"_s, Bytes({0x81, 0x7C})},
        {"fullwidth not sign", u"￢"_s, Bytes({0x81, 0xCA})},
        {"NEC row 13", u"①"_s, Bytes({0x87, 0x40})},
        {"IBM extension", u"髙"_s, Bytes({0xFB, 0xFC})},
        {"IBM extension 纊", u"纊"_s, Bytes({0xFA, 0x5C})},
        {"half-width katakana", u"ｱ"_s, Bytes({0xB1})},
        {"kanji", u"収支"_s, Bytes({0x8E, 0xFB, 0x8E, 0x78})},
        {"middle dot", u"・"_s, Bytes({0x81, 0x45})},
        {"backslash stays a backslash", u"\\"_s, "\\"},
        {"user-defined area", QString(QChar(0xE000)), Bytes({0xF0, 0x40})},
        {"empty", QString(), QByteArray()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(WideToMultiByte(row.text), row.bytes);
        EXPECT_EQ(MultiByteToWide(row.bytes), row.text);
    }
}

TEST_F(CodePageTest, CharactersOutsideCp932BecomeQuestionMarks) {
    struct Row {
        const char* name;
        QString text;
        QByteArray bytes;
    };
    const Row rows[] = {
        {"accented letter", u"café"_s, "caf?"},
        {"surrogate pair is one character", u"a😀b"_s, "a?b"},
        {"two pairs", u"😀😀"_s, "??"},
        {"lone high surrogate", u"a"_s + QChar(0xD800) + u"b"_s, "a?b"},
        {"lone low surrogate at the end", u"x"_s + QChar(0xDC00), "x?"},
        {"high surrogate at the end", u"x"_s + QChar(0xD83D), "x?"},
        {"hangul between kanji", u"収한支"_s, Bytes({0x8E, 0xFB, '?', 0x8E, 0x78})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(WideToMultiByte(row.text), row.bytes);
    }
}

TEST_F(CodePageTest, BytesDecodeOneWayAndUndecodableOnesBecomeOneReplacementEach) {
    const QChar r(kReplacementChar);
    struct Row {
        const char* name;
        QByteArray bytes;
        QString text;
    };
    const Row rows[] = {
        {"lead byte then space", Bytes({0x81, 0x20}), QString(r) + u" "_s},
        {"lead byte then ascii", Bytes({0x82, 'A', 'B'}), QString(r) + u"AB"_s},
        {"lead byte at the end", Bytes({'a', 0x82}), u"a"_s + r},
        {"bytes that are never characters", Bytes({0x80, 0xA0, 0xFD, 0xFF}), QString(4, r)},
        {"unassigned double-byte code", Bytes({0x85, 0x40, 'z'}), QString(r) + u"@z"_s},
        {"NEC-selected IBM row", Bytes({0xED, 0x40, 0x81, 0x60, 0x41}), u"纊～A"_s},
        {"valid text around a bad byte", Bytes({0x8E, 0xFB, 0xFF, 0x8E, 0x78}),
         u"収"_s + r + u"支"_s},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(MultiByteToWide(row.bytes), row.text);
    }
    EXPECT_EQ(WideToMultiByte(QString(r)), Bytes({0x81, 0x45}));
}

TEST_F(CodePageTest, LongTextConvertsBeyondOneBuffer) {
    QString text;
    for (int i = 0; i < 3000; ++i)
        text += u"収支～ｱ😀"_s;
    const QByteArray bytes = WideToMultiByte(text);
    EXPECT_EQ(bytes.size(), 3000 * 8);
    QString back = MultiByteToWide(bytes);
    EXPECT_EQ(back, QString(text).replace(u"😀"_s, u"?"_s));
}

} // namespace
