// The private heap: blocks handed out from large zero-filled chunks, freed
// blocks kept on a list per size, every chunk released together.
#include "Heap.h"

#include "Errors.h"
#include "Faults.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <unordered_map>
#include <vector>

namespace plat {

struct Heap {
    struct Chunk {
        std::byte* base;
        std::size_t size;
    };
    std::vector<Chunk> chunks;
    std::size_t chunkSize = 0;
    std::size_t used = 0;                             // bytes handed out from the last chunk
    std::unordered_map<std::size_t, void*> freeLists; // size -> first free block
};

namespace {

constexpr std::size_t kAlign = alignof(std::max_align_t);
constexpr std::size_t kMinChunk = 64 * 1024;
// Far beyond any use and far from overflowing the rounding below.
constexpr std::size_t kMaxBlock = std::size_t{1} << 40;

std::size_t Rounded(std::size_t size) {
    return size == 0 ? kAlign : (size + kAlign - 1) / kAlign * kAlign;
}

bool OutOfMemory() {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return false;
}

bool AddChunk(Heap* heap, std::size_t atLeast) {
    const std::size_t size = std::max(heap->chunkSize, atLeast);
    auto* base = static_cast<std::byte*>(std::calloc(1, size));
    if (!base) return OutOfMemory();
    try {
        heap->chunks.push_back({base, size});
    } catch (const std::bad_alloc&) {
        std::free(base);
        return OutOfMemory();
    }
    heap->used = 0;
    return true;
}

bool Owns(const Heap* heap, const void* block) {
    const auto* p = static_cast<const std::byte*>(block);
    for (const Heap::Chunk& chunk : heap->chunks) {
        if (p >= chunk.base && p < chunk.base + chunk.size) return true;
    }
    return false;
}

void* TakeFree(Heap* heap, std::size_t size) {
    const auto it = heap->freeLists.find(size);
    if (it == heap->freeLists.end() || !it->second) return nullptr;
    void* block = it->second;
    std::memcpy(&it->second, block, sizeof(void*)); // the next free block
    std::memset(block, 0, size);
    return block;
}

} // namespace

Heap* HeapCreate(std::size_t initialSize) {
    if (faults::ShouldFail(faults::Op::Alloc)) {
        OutOfMemory();
        return nullptr;
    }
    auto* heap = new (std::nothrow) Heap;
    if (!heap) {
        OutOfMemory();
        return nullptr;
    }
    heap->chunkSize = std::max(Rounded(std::min(initialSize, kMaxBlock)), kMinChunk);
    if (!AddChunk(heap, heap->chunkSize)) {
        delete heap;
        return nullptr;
    }
    return heap;
}

void* HeapAlloc(Heap* heap, std::size_t size) {
    if (!heap || size > kMaxBlock || faults::ShouldFail(faults::Op::Alloc)) {
        OutOfMemory();
        return nullptr;
    }
    const std::size_t rounded = Rounded(size);
    if (void* reused = TakeFree(heap, rounded)) return reused;
    if (heap->chunks.empty() || heap->used + rounded > heap->chunks.back().size) {
        if (!AddChunk(heap, rounded)) return nullptr;
    }
    void* block = heap->chunks.back().base + heap->used;
    heap->used += rounded;
    return block;
}

void HeapFree(Heap* heap, void* block, std::size_t size) {
    // A block from elsewhere would corrupt the free list; leave it alone.
    if (!heap || !block || size > kMaxBlock || !Owns(heap, block)) return;
    const std::size_t rounded = Rounded(size);
    void*& head = heap->freeLists[rounded];
    std::memcpy(block, &head, sizeof(void*));
    head = block;
}

void HeapDestroy(Heap* heap) {
    if (!heap) return;
    for (const Heap::Chunk& chunk : heap->chunks)
        std::free(chunk.base);
    delete heap;
}

} // namespace plat
