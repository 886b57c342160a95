// A template slot as stored in "\\TEIBAN.DAT": 216 bytes.
#pragma once

#include "ledger/InOutRecord.h"

inline constexpr int kTemplateSlots = 10;

struct TemplateRecord {
    char16_t name[kTextUnits]; // "未設定" in an empty slot
    InOutRecord record;        // record.id: 1 = slot used, 0 = empty
};
static_assert(sizeof(TemplateRecord) == 216);
static_assert(offsetof(TemplateRecord, record) == 32);

inline bool IsTemplateUsed(const TemplateRecord& t) { return t.record.id != 0; }
