// Fault injection for tests: makes chosen platform calls fail as a full disk,
// a denied access or an exhausted memory would, so that failure paths are run.
#pragma once

#include "Errors.h"

#include <cstdint>

namespace plat::faults {

enum class Op { Alloc, Open, Read, Write, Copy, Delete };

// The n-th call (1-based, counted from now) of op fails with code. Open and
// Write count File and AtomicFile calls (CopyFile uses both); the registry's
// own file is not counted. Alloc counts HeapCreate and HeapAlloc. Copy and
// Delete count whole CopyFile and DeleteFile calls, before they touch anything.
void FailNth(Op op, int n, DWORD code);
// Every call of op from the n-th on fails with code.
void FailFrom(Op op, int n, DWORD code);
// After `bytes` more bytes have been written (by File or AtomicFile), the write
// that crosses the limit writes only up to it and fails with code; from then on
// every write, flush, truncate, rename and delete fails too, as after a crash.
void CutWritesAfter(std::int64_t bytes, DWORD code = ERROR_DISK_FULL);
bool WritesCut();
// Power-loss mode: from now on every write not yet flushed to the disk (fsync)
// is journalled. A cut then also loses every earlier write that was not
// flushed, while the cut write reaches the disk up to the cut (a disk may
// persist writes in any order); PowerLoss() loses all of them. So a save that
// skips a flush it needs leaves a damaged file.
void JournalUnsyncedWrites();
bool JournallingUnsyncedWrites();
// Undoes every journalled write, newest first (Files.cpp).
void PowerLoss();
// Clears every injected fault.
void Reset();

// Used by the platform's own calls: true when this call of op must fail
// (the error code is then set as the last error).
bool ShouldFail(Op op);
// Bytes a write of `size` may still write before the cut; size when no cut is armed.
// Counts them as written. When it returns less than size the cut has happened
// now and the last error is set to the cut's code.
std::int64_t AllowedWriteBytes(std::int64_t size);
// True (last error set to the cut's code) once the writes are cut: the caller's
// write, flush, truncate, rename or delete must then fail.
bool BlockedByCut();

} // namespace plat::faults
