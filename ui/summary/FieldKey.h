// A 16-unit text field as a hashable key: everything after its NUL cleared,
// so stale units behind a shorter text never split one value into two rows.
// Built with word operations because it runs for every selected entry.
#pragma once

#include "ledger/InOutRecord.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace summary {

struct FieldKey {
    std::array<std::uint64_t, 4> words{};

    FieldKey() = default;
    explicit FieldKey(const char16_t (&field)[kTextUnits]) {
        constexpr std::uint64_t kOnes = 0x0001000100010001ull;
        constexpr std::uint64_t kHigh = 0x8000800080008000ull;
        for (std::size_t w = 0; w < words.size(); ++w) {
            std::uint64_t v;
            std::memcpy(&v, field + 4 * w, sizeof v);
            // The lowest flagged lane is the first NUL unit (little-endian).
            const std::uint64_t zero = (v - kOnes) & ~v & kHigh;
            if (zero) {
                const int lane = std::countr_zero(zero) / 16;
                words[w] = lane ? v & ((std::uint64_t{1} << (16 * lane)) - 1) : 0;
                return; // the rest stays zero
            }
            words[w] = v;
        }
    }
    bool operator==(const FieldKey&) const = default;

    std::uint64_t hash() const {
        std::uint64_t h = 0x9E3779B97F4A7C15ull;
        for (std::uint64_t w : words) {
            h = (h ^ w) * 0xBF58476D1CE4E5B9ull;
            h ^= h >> 29;
        }
        return h;
    }
};

// Open-addressing map from FieldKey to T; far cheaper per lookup than a
// node-based map on the summary's hot path.
template <class T> class FieldKeyTable {
public:
    // The value for key, default-constructed and flagged when it is new.
    T& findOrInsert(const FieldKey& key, bool* inserted) {
        if ((m_used + 1) * 2 > m_slots.size()) grow();
        std::size_t i = key.hash() & (m_slots.size() - 1);
        while (m_slots[i].used) {
            if (m_slots[i].key == key) {
                *inserted = false;
                return m_slots[i].value;
            }
            i = (i + 1) & (m_slots.size() - 1);
        }
        m_slots[i].used = true;
        m_slots[i].key = key;
        ++m_used;
        *inserted = true;
        return m_slots[i].value;
    }

private:
    struct Slot {
        FieldKey key;
        T value{};
        bool used = false;
    };
    void grow() {
        std::vector<Slot> old = std::move(m_slots);
        m_slots.assign(old.empty() ? 64 : old.size() * 2, Slot{});
        m_used = 0;
        for (Slot& s : old) {
            if (!s.used) continue;
            bool inserted = false;
            findOrInsert(s.key, &inserted) = std::move(s.value);
        }
    }
    std::vector<Slot> m_slots;
    std::size_t m_used = 0;
};

} // namespace summary
