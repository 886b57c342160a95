// Byte layouts of the ledger file: the 16-byte header of the current layout,
// 184-byte records after it, or (old layout, read only) a uint16 count and
// 152-byte records without header.
#pragma once

#include "ledger/InOutRecord.h"

#include <cstddef>
#include <cstdint>

struct LedgerFileHeader {
    char magic[4]; // "TALY"
    std::uint32_t version;
    std::uint32_t reservedWord; // carried through from the file read
    std::uint32_t count;
};
static_assert(sizeof(LedgerFileHeader) == 16);

inline constexpr std::size_t kLedgerHeaderSize = sizeof(LedgerFileHeader);
inline constexpr std::size_t kRecordSize = sizeof(InOutRecord);
inline constexpr std::uint32_t kLedgerVersion = 1;

// True when the four bytes are the ASCII letters "TALY".
bool HasTalyMagic(const void* firstFour);
LedgerFileHeader MakeLedgerHeader(std::uint32_t reservedWord, std::uint32_t count);
// File offset of the record with 0-based index `index` in the current layout.
inline std::int64_t RecordOffset(std::uint32_t index) {
    return static_cast<std::int64_t>(kLedgerHeaderSize) +
           static_cast<std::int64_t>(kRecordSize) * index;
}

// Copies one stored record of recordSize bytes (184, or 152 for the old layout)
// over *r; the bytes the old layout lacks are zeroed.
void DecodeRecord(const std::uint8_t* bytes, std::size_t recordSize, InOutRecord* r);
