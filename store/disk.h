// The store's one seam to the disk: every file operation of the quote file,
// the settings and the backup goes through here, so tests can fail any one.
#pragma once
#include <cstddef>
#include <cstdint>

enum class DiskOp { Open, Read, Write, Flush, Sync, Close, Seek, Truncate, Replace, MakeFolder };

// What a test wants the next operation to do: go ahead, fail with an error,
// or (for a write) put only part of the bytes down, as on a full disk.
enum class DiskFault { None, Error, ShortWrite };
using DiskFaultHook = DiskFault (*)(DiskOp op);

// Asked before every operation; null in the program.
extern DiskFaultHook DiskHook;

struct DiskFile;

enum class DiskMode {
  Read,    // existing file, from its start
  Create,  // new or emptied file
  Update,  // existing file, read and written in place, nothing emptied
};

DiskFile* DiskOpen(const char* path, DiskMode mode);
// Bytes actually read; fewer than asked at the end of the file or on an error.
std::size_t DiskRead(DiskFile* file, void* buffer, std::size_t size);
// Reads `size` bytes and lets them go, as a reader passes over the records
// before the one it wants; bytes actually passed over.
int64_t DiskPassOver(DiskFile* file, int64_t size);
bool DiskWrite(DiskFile* file, const void* data, std::size_t size);
// Hands what was written in the runtime's buffer to the system, so that a
// failed write shows here rather than in a close whose failure a runtime
// may not report.
bool DiskFlush(DiskFile* file);
// Pushes what was written through the runtime's buffer and the system's cache.
bool DiskSync(DiskFile* file);
// Closes and frees the file in every case; false when the close failed.
bool DiskClose(DiskFile* file);
bool DiskSeek(DiskFile* file, int64_t offset);
// Length in bytes, or -1.
int64_t DiskSize(DiskFile* file);
bool DiskTruncate(DiskFile* file, int64_t size);
// Puts `from` in the place of `to` in one step, replacing it.
bool DiskReplace(const char* from, const char* to);
// Creates a folder; fails when it already exists.
bool DiskMakeFolder(const char* path);
// Gives a folder another name; fails when a folder of that name exists.
bool DiskRenameFolder(const char* from, const char* to);
// Removes an empty folder; false when it is still there.
bool DiskRemoveFolder(const char* path);
bool DiskExists(const char* path);

// Writes `size` bytes to `path` so that a crash leaves either the old or the
// new content: a temporary beside it, synced, then renamed over it.
bool DiskWriteWhole(const char* path, const void* data, std::size_t size);
