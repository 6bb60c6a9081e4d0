// The store's one seam to the disk: every file operation of the quote file,
// the settings, the backup, empresa.ini and the export goes through here.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "store/disk_kinds.h"

// The seam in two layers. disk.cpp, shared: retries of a refusal that
// passes, the cause of the first failure, reading ahead, and an observer
// told of every operation. disk_posix.cpp or disk_win32.cpp (one is built):
// the system calls, with the cause the system gives for a failure.
//
// Contracts of every operation below:
// - Paths are UTF-8, relative to the working folder or whole; the program's
//   own files have plain ASCII names.
// - Nothing throws; a failure is a false, a null or a -1, and its cause is
//   kept (see DiskLastFailure) unless a retry made it good.
// - A file's bytes are durable only after DiskSync, and a name made,
//   renamed or removed only once its folder's names are (DiskReplace,
//   DiskRenameFolder and DiskSyncFolder do that).

enum class DiskOp {
  Open, Read, Write, Sync, Close, Seek, Truncate, Replace, MakeFolder, SyncFolder, Remove, Lock,
  Unlock
};

// What an observer wants the next operation to do: go ahead, fail with an
// error, (for a write) put only part of the bytes down, as on a full disk,
// or fail as the system does for a full disk, a denied permission or a file
// that another program holds.
enum class DiskFault { None, Error, ShortWrite, DiskFull, Denied, InUse, NetworkLost };

// A change to the disk that took place: a file made new or emptied, a file
// synced, a name given to another file or folder, a folder made, a name
// removed, a folder's names made durable.
enum class DiskChange { Created, Synced, Renamed, FolderMade, Removed, FolderSynced };

// Watches every operation: the tests' planned faults and their model of a
// power cut. The program installs none.
struct DiskObserver {
  // Asked before each operation on `path`; the operation fails as answered.
  DiskFault (*before)(DiskOp op, const char* path);
  // Told after each change; `to` is a rename's new name, else "".
  void (*changed)(DiskChange change, const char* path, const char* to);
  // Waits between two tries of a refusal that passes, in place of the
  // system's sleep.
  void (*wait)(int milliseconds);
};
// Installs `observer` (null: none) for every operation from now on.
void DiskObserve(const DiskObserver* observer);

struct DiskFailure {
  DiskCause cause = DiskCause::None;
  std::string file;  // the file or folder the failed operation was on
};
// The first failure since DiskClearFailure that no retry made good (the
// cause, not what the clean-up after it met); cause None when none.
DiskFailure DiskLastFailure();
void DiskClearFailure();
// Keeps a failure its caller met without an operation failing (a lock held
// too long by another copy) as met on `path`.
void DiskNoteFailure(DiskCause cause, const char* path);

// An open or a rename refused for a moment (a sharing violation or a denied
// access, as an antivirus, indexer or sync client causes) is tried again
// after a wait of kRetryStepMs, for about kRetryBudgetMs in all.
constexpr int kRetryStepMs = 100;
constexpr int kRetryBudgetMs = 2000;

// Waits as the retries do: the observer's wait where one is installed.
void DiskPause(int milliseconds);

struct DiskFile;

DiskFile* DiskOpen(const char* path, DiskMode mode);
// An exclusive byte-range lock on `length` bytes from `offset`, not waiting:
// Busy while another open of the file holds any of them, from this process
// or another, on this machine or another reaching the file over a network.
// The system (or the file server) lets go of it at DiskUnlock, at the
// file's close, or however the process ends. An observer is asked about
// the open of a file to lock (Shared, Alone) and about the lock as Lock; to
// the lock, its InUse answers Busy, any other fault Unsupported.
DiskLock DiskTryLock(DiskFile* file, int64_t offset, int64_t length);
void DiskUnlock(DiskFile* file, int64_t offset, int64_t length);
// Bytes actually read; fewer than asked at the end of the file or on an
// error. A file opened to read is read ahead, in reads that grow as it is
// walked, so that one record costs one small read and a walk few large ones.
std::size_t DiskRead(DiskFile* file, void* buffer, std::size_t size);
bool DiskWrite(DiskFile* file, const void* data, std::size_t size);
// Pushes what was written through the runtime's buffer and the system's cache.
bool DiskSync(DiskFile* file);
// Closes and frees the file in every case; false when the close failed.
bool DiskClose(DiskFile* file);
bool DiskSeek(DiskFile* file, int64_t offset);
// Length in bytes, or -1; reading starts again at the file's start.
int64_t DiskSize(DiskFile* file);
bool DiskTruncate(DiskFile* file, int64_t size);
// Puts `from` in the place of `to` in one step, replacing it, and makes the
// new name durable. `from` must have been synced: the rename alone does not
// carry its bytes to the disk.
bool DiskReplace(const char* from, const char* to);
// Creates a folder; fails when it already exists.
bool DiskMakeFolder(const char* path);
// Makes the names in a folder (the files made in it) durable.
void DiskSyncFolder(const char* path);
// Gives a folder another name, durably, after making the names in it
// durable; fails when a folder of that name exists.
bool DiskRenameFolder(const char* from, const char* to);
// Removes a file; false when it is still there. An observer may stop it,
// but its failure is never kept: a removal is how a failed step cleans up.
bool DiskRemove(const char* path);
// Removes an empty folder; false when it is still there.
bool DiskRemoveFolder(const char* path);
bool DiskExists(const char* path);
bool DiskIsFolder(const char* path);
// Which file or folder `path` reaches, however it is reached: the volume
// serial number and file index on Windows, the device and inode on POSIX.
// False when it cannot be reached.
bool DiskIdentity(const char* path, uint64_t& volume, uint64_t& file);
// The separator of the system's full paths: \ on Windows, / on POSIX.
wchar_t DiskSeparator();
// The names of the folders in the working folder.
std::vector<std::string> DiskFolderNames();

// Writes `size` bytes to `path` so that a crash leaves either the old or the
// new content: the temporary `temporary` beside it, synced, then renamed
// over it.
bool DiskWriteWhole(const char* path, const char* temporary, const void* data, std::size_t size);
