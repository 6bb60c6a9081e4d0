// What each platform's file (disk_posix.cpp, disk_win32.cpp) gives the disk
// seam: the bare system calls, no retries, no observer. For disk.cpp only.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "store/disk_kinds.h"

// Each call that fails keeps the cause the system gave, for SystemFailure.
DiskCause SystemFailure();
// For a call of the C runtime's streams made by the seam itself: cleared
// before it, then its result passed on, the cause kept where it failed.
void SystemClearError();
bool SystemKept(bool done);

void SystemSleep(int milliseconds);
// Opens as DiskMode says, sharing read, write and delete with every other
// open (Shared: read and write; Alone: nothing); a folder is refused as
// access denied, as Windows refuses it.
std::FILE* SystemOpen(const char* path, DiskMode mode);
// An exclusive lock on `length` bytes from `offset`, not waiting; held until
// unlocked or the file closed.
DiskLock SystemLock(std::FILE* stream, int64_t offset, int64_t length);
void SystemUnlock(std::FILE* stream, int64_t offset, int64_t length);
// Flushes the runtime's buffer, then the system's cache.
bool SystemSync(std::FILE* stream);
bool SystemSeek(std::FILE* stream, int64_t offset);
// Length in bytes, or -1; the stream is left at its start.
int64_t SystemSize(std::FILE* stream);
bool SystemTruncate(std::FILE* stream, int64_t size);
// Renames a file over another in one step. True from `durable` when the
// rename itself reached the disk; otherwise the folder must be synced.
bool SystemReplace(const char* from, const char* to, bool* durable);
// Renames a folder; fails when the new name is taken.
bool SystemRenameFolder(const char* from, const char* to);
bool SystemMakeFolder(const char* path);
// Makes a folder's names durable, where the file system needs telling.
void SystemSyncFolder(const char* path);
bool SystemRemove(const char* path);
bool SystemRemoveFolder(const char* path);
bool SystemExists(const char* path);
bool SystemIsFolder(const char* path);
bool SystemIdentity(const char* path, uint64_t& volume, uint64_t& file);
// The separator the system's full paths are written with.
wchar_t SystemSeparator();
std::vector<std::string> SystemFolderNames();
