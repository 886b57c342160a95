// The private heap: an arena of zero-filled blocks released all at once.
#pragma once

#include <cstddef>

namespace plat {

struct Heap;

// Null (last error ERROR_NOT_ENOUGH_MEMORY) when it cannot be created.
Heap* HeapCreate(std::size_t initialSize);
// Zero-filled block; null and ERROR_NOT_ENOUGH_MEMORY on failure.
void* HeapAlloc(Heap* heap, std::size_t size);
// Returns a block to the heap for reuse by a later allocation of the same size.
void HeapFree(Heap* heap, void* block, std::size_t size);
// Releases every block at once. Null is allowed.
void HeapDestroy(Heap* heap);

} // namespace plat
