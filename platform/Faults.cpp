// Injected failures for tests. Single-threaded by design: the program has one
// user-interface thread and the tests drive it from there.
#include "Faults.h"

#include <algorithm>
#include <array>
#include <vector>

namespace plat::faults {
namespace {

struct Rule {
    Op op;
    std::int64_t armedAt; // calls of op already made when the rule was armed
    std::int64_t n;
    bool fromOn; // FailFrom: every call from the n-th on
    DWORD code;
};

struct State {
    std::array<std::int64_t, 6> calls{};
    std::vector<Rule> rules;
    bool cutArmed = false;
    bool cut = false;
    bool journal = false;
    std::int64_t bytesLeft = 0;
    DWORD cutCode = ERROR_DISK_FULL;
};

State g_state;

std::size_t Index(Op op) {
    return static_cast<std::size_t>(op);
}

void Arm(Op op, int n, DWORD code, bool fromOn) {
    g_state.rules.push_back({op, g_state.calls[Index(op)], std::max(n, 1), fromOn, code});
}

} // namespace

void FailNth(Op op, int n, DWORD code) {
    Arm(op, n, code, false);
}

void FailFrom(Op op, int n, DWORD code) {
    Arm(op, n, code, true);
}

void CutWritesAfter(std::int64_t bytes, DWORD code) {
    g_state.cutArmed = true;
    g_state.cut = false;
    g_state.bytesLeft = std::max<std::int64_t>(bytes, 0);
    g_state.cutCode = code;
}

bool WritesCut() {
    return g_state.cut;
}

void JournalUnsyncedWrites() {
    g_state.journal = true;
}

bool JournallingUnsyncedWrites() {
    return g_state.journal;
}

void Reset() {
    g_state = State{};
}

bool ShouldFail(Op op) {
    const std::int64_t call = ++g_state.calls[Index(op)];
    for (const Rule& rule : g_state.rules) {
        if (rule.op != op) continue;
        const std::int64_t k = call - rule.armedAt;
        if (k == rule.n || (rule.fromOn && k > rule.n)) {
            SetLastError(rule.code);
            return true;
        }
    }
    return false;
}

std::int64_t AllowedWriteBytes(std::int64_t size) {
    if (!g_state.cutArmed) return size;
    if (g_state.cut) {
        SetLastError(g_state.cutCode);
        return 0;
    }
    if (size <= g_state.bytesLeft) {
        g_state.bytesLeft -= size;
        return size;
    }
    const std::int64_t allowed = g_state.bytesLeft;
    g_state.bytesLeft = 0;
    g_state.cut = true;
    SetLastError(g_state.cutCode);
    return allowed;
}

bool BlockedByCut() {
    if (!g_state.cut) return false;
    SetLastError(g_state.cutCode);
    return true;
}

} // namespace plat::faults
