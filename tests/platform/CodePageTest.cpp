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

enum Way { Both, ToBytes, ToText };

TEST_F(CodePageTest, ConversionBothWaysAndWhatDoesNotConvert) {
    const QChar r(kReplacementChar);
    struct Row {
        const char* name;
        QString text;
        QByteArray bytes;
        Way way;
    };
    const Row rows[] = {
        {"ascii", u"Tally,123"_s, "Tally,123", Both},
        {"fullwidth tilde", u"～"_s, Bytes({0x81, 0x60}), Both},
        {"double vertical line", u"∥"_s, Bytes({0x81, 0x61}), Both},
        {"fullwidth minus", u"－"_s, Bytes({0x81, 0x7C}), Both},
        {"fullwidth not sign", u"￢"_s, Bytes({0x81, 0xCA}), Both},
        {"NEC row 13", u"①"_s, Bytes({0x87, 0x40}), Both},
        {"IBM extension", u"髙"_s, Bytes({0xFB, 0xFC}), Both},
        {"IBM extension 纊", u"纊"_s, Bytes({0xFA, 0x5C}), Both},
        {"half-width katakana", u"ｱ"_s, Bytes({0xB1}), Both},
        {"kanji", u"収支"_s, Bytes({0x8E, 0xFB, 0x8E, 0x78}), Both},
        {"middle dot", u"・"_s, Bytes({0x81, 0x45}), Both},
        {"backslash stays a backslash", u"\\"_s, "\\", Both},
        {"user-defined area", QString(QChar(0xE000)), Bytes({0xF0, 0x40}), Both},
        {"empty", QString(), QByteArray(), Both},
        // Characters outside the code page become question marks.
        {"accented letter", u"café"_s, "caf?", ToBytes},
        {"surrogate pair is one character", u"a😀b"_s, "a?b", ToBytes},
        {"two pairs", u"😀😀"_s, "??", ToBytes},
        {"lone high surrogate", u"a"_s + QChar(0xD800) + u"b"_s, "a?b", ToBytes},
        {"lone low surrogate at the end", u"x"_s + QChar(0xDC00), "x?", ToBytes},
        {"high surrogate at the end", u"x"_s + QChar(0xD83D), "x?", ToBytes},
        {"hangul between kanji", u"収한支"_s, Bytes({0x8E, 0xFB, '?', 0x8E, 0x78}), ToBytes},
        {"replacement character", QString(r), Bytes({0x81, 0x45}), ToBytes},
        // Bytes that do not decode become one replacement character each.
        {"lead byte then space", QString(r) + u" "_s, Bytes({0x81, 0x20}), ToText},
        {"lead byte then ascii", QString(r) + u"AB"_s, Bytes({0x82, 'A', 'B'}), ToText},
        {"lead byte at the end", u"a"_s + r, Bytes({'a', 0x82}), ToText},
        {"bytes that are never characters", QString(4, r), Bytes({0x80, 0xA0, 0xFD, 0xFF}), ToText},
        {"unassigned double-byte code", QString(r) + u"@z"_s, Bytes({0x85, 0x40, 'z'}), ToText},
        {"NEC-selected IBM row", u"纊～A"_s, Bytes({0xED, 0x40, 0x81, 0x60, 0x41}), ToText},
        {"valid text around a bad byte", u"収"_s + r + u"支"_s,
         Bytes({0x8E, 0xFB, 0xFF, 0x8E, 0x78}), ToText},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.way != ToText) {
            EXPECT_EQ(WideToMultiByte(row.text), row.bytes);
        }
        if (row.way != ToBytes) {
            EXPECT_EQ(MultiByteToWide(row.bytes), row.text);
        }
    }
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
