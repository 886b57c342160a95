// One ledger entry exactly as it is stored: 184 bytes, little-endian, no padding.
#pragma once

#include "platform/Time.h"

#include <QString>
#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little,
              "the record layouts are read and written as little-endian memory images");

inline constexpr int kTextUnits = 16;     // UTF-16 units per text field, NUL included
inline constexpr int kMaxTextLength = 15; // characters the user may enter

struct InOutRecord {
    std::int32_t id;                // 1-based position in the ledger
    char16_t category[kTextUnits];  // 分類
    char16_t remark[kTextUnits];    // 備考, per category
    char16_t payee[kTextUnits];     // 支払先, per category
    char16_t payMethod[kTextUnits]; // 支払方法
    plat::SYSTEMTIME date;
    std::int32_t amount; // yen; positive = expense, negative = income
    std::uint8_t reserved[32];
};
static_assert(sizeof(InOutRecord) == 184);
static_assert(offsetof(InOutRecord, category) == 4);
static_assert(offsetof(InOutRecord, remark) == 36);
static_assert(offsetof(InOutRecord, payee) == 68);
static_assert(offsetof(InOutRecord, payMethod) == 100);
static_assert(offsetof(InOutRecord, date) == 132);
static_assert(offsetof(InOutRecord, amount) == 148);
static_assert(offsetof(InOutRecord, reserved) == 152);

inline constexpr std::size_t kOldRecordSize = 152; // the headerless layout's record

// The first four bytes of the current ledger and template files.
inline constexpr char kTalyMagic[4] = {'T', 'A', 'L', 'Y'};
// The largest amount of yen an entry may hold, either way.
inline constexpr std::int64_t kAmountLimit = 2000000000;

// The first maxUnits UTF-16 units of text, one fewer when the cut would split
// a surrogate pair, so that no field, list file or input box ever holds half a
// character. Every path that limits a text to its field goes through here.
QString CutText(QStringView text, qsizetype maxUnits = kMaxTextLength);

// The text of a field up to its NUL (at most 16 units, even without one).
QString FieldText(const char16_t (&field)[kTextUnits]);
// Stores the text cut by CutText and a NUL; the rest of the field is zeroed.
void SetFieldText(char16_t (&field)[kTextUnits], QStringView text);

struct LedgerNode {
    InOutRecord record;
    LedgerNode* next;
};
