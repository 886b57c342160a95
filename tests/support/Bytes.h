// Hand-made bytes of the stored layouts, built field by field at their offsets,
// so that the tests do not borrow the layout from the code they check: ledger
// records and headers, list files, template files and the "Options" value.
#pragma once

#include "ledger/InOutRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstring>
#include <vector>

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

inline QByteArray U32(std::uint32_t v) {
    QByteArray b(4, '\0');
    PutU32(b, 0, v);
    return b;
}

struct Entry {
    std::int32_t id = 1;
    QString category = QStringLiteral(u"食費");
    QString remark = QStringLiteral(u"昼食");
    QString payee = QStringLiteral(u"食堂");
    QString payMethod = QStringLiteral(u"現金");
    std::uint16_t year = 2008, month = 3, weekday = 1, day = 10;
    std::int32_t amount = 800;
    std::uint16_t hour = 0, minute = 0, second = 0;
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
    PutU16(b, 140, e.hour);
    PutU16(b, 142, e.minute);
    PutU16(b, 144, e.second);
    PutU32(b, 148, static_cast<std::uint32_t>(e.amount));
    return b.left(size);
}

// The same record as the program holds it in memory.
inline InOutRecord MakeRecord(const Entry& e) {
    const QByteArray b = Record(e);
    InOutRecord r;
    std::memcpy(&r, b.constData(), sizeof r);
    return r;
}

// An entry of the test clock's day (2008-03-10) with this amount.
inline InOutRecord MakeRecord(std::int32_t amount) {
    Entry e;
    e.amount = amount;
    return MakeRecord(e);
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

// The old layout: a 16-bit count, then `records` numbered 152-byte records.
inline QByteArray OldLedger(int count, int records) {
    QByteArray b(2, '\0');
    PutU16(b, 0, static_cast<std::uint16_t>(count));
    for (int n = 1; n <= records; ++n)
        b += Record(Numbered(n), 152);
    return b;
}

// The amounts of a current-layout ledger file's records (amount at offset 148).
inline std::vector<std::int32_t> AmountsInLedger(const QByteArray& file) {
    std::vector<std::int32_t> amounts;
    for (qsizetype at = 16; at + 184 <= file.size(); at += 184)
        amounts.push_back(static_cast<std::int32_t>(GetU32(file, at + 148)));
    return amounts;
}

// A list file: count, each text with its NUL, the empty text.
inline QByteArray ListFile(const QStringList& texts) {
    QByteArray b(2, '\0');
    PutU16(b, 0, static_cast<std::uint16_t>(texts.size()));
    for (const QString& t : texts) {
        QByteArray text(2 * t.size() + 2, '\0');
        PutText(text, 0, t);
        b += text;
    }
    return b + QByteArray(2, '\0');
}

// A used template slot: the name, then the entry (its id word 1 = used).
struct Template {
    QString name;
    Entry entry;
};

// 216 bytes: the 16-unit name at 0, the record at 32.
inline QByteArray TemplateSlot(const Template& t) {
    Entry e = t.entry;
    e.id = 1;
    QByteArray b(32, '\0');
    PutText(b, 0, t.name);
    return b + Record(e);
}

// "TALY", version 1, then the slots.
inline QByteArray TemplateFile(const std::vector<Template>& templates) {
    QByteArray b = QByteArray("TALY", 4) + U32(1);
    for (const Template& t : templates)
        b += TemplateSlot(t);
    return b;
}

// "Options" in the registry: month start day, week start day, reserved int 100,
// flags, 128 reserved bytes, save-on-change.
inline QByteArray Options(std::int32_t day, std::int32_t week, std::uint32_t flags, char fill = 0,
                          std::int32_t saveOnChange = 1) {
    return U32(static_cast<std::uint32_t>(day)) + U32(static_cast<std::uint32_t>(week)) + U32(100) +
           U32(flags) + QByteArray(128, fill) + U32(static_cast<std::uint32_t>(saveOnChange));
}

} // namespace bytes
