// Hand-made bytes of the stored layouts, built field by field at their offsets,
// so that the tests do not borrow the layout from the code they check.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <initializer_list>

namespace bytes {

inline void PutU16(QByteArray& b, qsizetype at, std::uint16_t v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8);
}

inline void PutU32(QByteArray& b, qsizetype at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline std::uint32_t GetU32(const QByteArray& b, qsizetype at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(b[at + i]);
    return v;
}

// UTF-16LE text at an offset, without terminator (the array is zero already).
inline void PutText(QByteArray& b, qsizetype at, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        PutU16(b, at + 2 * i, text[i].unicode());
}

struct Entry {
    std::int32_t id = 1;
    QString category = QStringLiteral(u"食費");
    QString remark = QStringLiteral(u"昼食");
    QString payee = QStringLiteral(u"食堂");
    QString payMethod = QStringLiteral(u"現金");
    std::uint16_t year = 2008, month = 3, weekday = 1, day = 10;
    std::int32_t amount = 800;
};

// A 184-byte record, or its first 152 bytes for the old layout.
inline QByteArray Record(const Entry& e, int size = 184) {
    QByteArray b(184, '\0');
    PutU32(b, 0, static_cast<std::uint32_t>(e.id));
    PutText(b, 4, e.category);
    PutText(b, 36, e.remark);
    PutText(b, 68, e.payee);
    PutText(b, 100, e.payMethod);
    PutU16(b, 132, e.year);
    PutU16(b, 134, e.month);
    PutU16(b, 136, e.weekday);
    PutU16(b, 138, e.day);
    PutU32(b, 148, static_cast<std::uint32_t>(e.amount));
    return b.left(size);
}

inline QByteArray Header(std::uint32_t count, std::uint32_t reserved = 0) {
    QByteArray b("TALY", 4);
    b.append(12, '\0');
    PutU32(b, 4, 1);
    PutU32(b, 8, reserved);
    PutU32(b, 12, count);
    return b;
}

// An entry numbered n with amount 100 × n and a category telling n apart.
inline Entry Numbered(int n) {
    Entry e;
    e.id = n;
    e.category = QStringLiteral(u"分類%1").arg(n);
    e.amount = 100 * n;
    return e;
}

inline QByteArray CurrentLedger(int count) {
    QByteArray b = Header(static_cast<std::uint32_t>(count));
    for (int n = 1; n <= count; ++n)
        b += Record(Numbered(n));
    return b;
}

// A list file: count, each text with its NUL, the empty text.
inline QByteArray ListFile(std::initializer_list<QString> texts) {
    QByteArray b(2, '\0');
    PutU16(b, 0, static_cast<std::uint16_t>(texts.size()));
    for (const QString& t : texts) {
        QByteArray text(2 * t.size() + 2, '\0');
        PutText(text, 0, t);
        b += text;
    }
    return b + QByteArray(2, '\0');
}

} // namespace bytes
