// A template slot as stored in "\\TEIBAN.DAT": 216 bytes.
#pragma once

#include "ledger/InOutRecord.h"

#include <QByteArray>
#include <QString>
#include <array>

inline constexpr int kTemplateSlots = 10;

struct TemplateRecord {
    char16_t name[kTextUnits]; // "未設定" in an empty slot
    InOutRecord record;        // record.id: 1 = slot used, 0 = empty
};
static_assert(sizeof(TemplateRecord) == 216);
static_assert(offsetof(TemplateRecord, record) == 32);

inline bool IsTemplateUsed(const TemplateRecord& t) {
    return t.record.id != 0;
}

using TemplateSlots = std::array<TemplateRecord, kTemplateSlots>;
inline const QString kUnsetTemplateName = QStringLiteral(u"未設定");
inline constexpr std::size_t kTemplateHeaderSize = 8;
inline constexpr std::size_t kOldTemplateSize = 32 + kOldRecordSize; // 184

// The slot zeroed and named "未設定"; the same for every slot.
void ClearTemplateSlot(TemplateRecord* slot);
void ClearTemplateSlots(TemplateSlots* table);
// Fills the slots from a template file of either layout: "TALY", uint32 1, then
// 216-byte slots; or headerless 184-byte slots (name + 152-byte old record).
// Stops at the end of the bytes or after 10 slots; never reads past the bytes.
void DecodeTemplateFile(const QByteArray& bytes, TemplateSlots* table);
// The current layout: header and the used slots up to the first empty one.
QByteArray EncodeTemplateFile(const TemplateSlots& table);
