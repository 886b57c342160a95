// The walk over the ledger list that every summary makes once per rebuild.
// Following next pointers one by one waits for memory at every node (about
// 50 ns on a large ledger); the document's heap lays nodes out one after
// another, so a node a few strides ahead can be fetched before it is reached.
#pragma once

#include "ledger/InOutRecord.h"

#include <cstddef>
#include <cstdint>

namespace summary {

inline void PrefetchAhead(const LedgerNode* node, const LedgerNode* next) {
    constexpr std::uintptr_t kNodesAhead = 48;
    constexpr std::uintptr_t kDate = offsetof(LedgerNode, record) + offsetof(InOutRecord, date);
    constexpr std::uintptr_t kNext = offsetof(LedgerNode, next);
    // Integer arithmetic: the guessed address may lie outside any node, which
    // a prefetch tolerates (it never faults) but pointer arithmetic would not.
    const auto here = reinterpret_cast<std::uintptr_t>(node);
    const std::uintptr_t ahead =
        here + (reinterpret_cast<std::uintptr_t>(next) - here) * kNodesAhead;
    __builtin_prefetch(reinterpret_cast<const void*>(ahead + kDate));
    __builtin_prefetch(reinterpret_cast<const void*>(ahead + kNext));
}

// Calls visit(record) for every entry in ledger order.
template <class Visit> inline void ForEachEntry(const LedgerNode* head, Visit&& visit) {
    for (const LedgerNode* n = head; n; n = n->next) {
        if (n->next) PrefetchAhead(n, n->next);
        visit(n->record);
    }
}

} // namespace summary
