// The store's one seam to the disk: every file operation of the quote file,
// the settings and the backup goes through here, so tests can fail any one.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class DiskOp { Open, Read, Write, Flush, Sync, Close, Seek, Truncate, Replace, MakeFolder, SyncFolder };

// What a test wants the next operation to do: go ahead, fail with an error,
// (for a write) put only part of the bytes down, as on a full disk, or fail
// as the system does for a full disk, a denied permission or a file that
// another program holds.
enum class DiskFault { None, Error, ShortWrite, DiskFull, Denied, InUse };
using DiskFaultHook = DiskFault (*)(DiskOp op);

// Asked before every operation; null in the program.
extern DiskFaultHook DiskHook;
// The file or folder of the operation DiskHook is being asked about, for a
// hook that fails one file's operations only.
extern const char* DiskHookPath;

// Why an operation failed, as far as the system tells.
enum class DiskCause { None, DiskFull, NoPermission, InUse, Other };
struct DiskFailure {
  DiskCause cause = DiskCause::None;
  std::string file;  // the file or folder the failed operation was on
};
// The first failure since DiskClearFailure that no retry made good (the
// cause, not what the clean-up after it met); cause None when none.
DiskFailure DiskLastFailure();
void DiskClearFailure();

// The cause of the C runtime's last failed call (on Windows the system's
// code it kept where it kept one), and of a system error code: for a file
// written outside this seam, as the export is.
DiskCause DiskCauseOfRuntimeError();
DiskCause DiskCauseOfSystemError(unsigned long error);

// An open or a rename refused for a moment (a sharing violation or a denied
// access, as an antivirus, indexer or sync client causes) is tried again
// after a wait, for about two seconds in all. The wait is a test seam:
// DiskWait is the system's sleep in the program.
constexpr int kRetryStepMs = 100;
constexpr int kRetryBudgetMs = 2000;
using DiskWaitFn = void (*)(int milliseconds);
extern DiskWaitFn DiskWait;

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
// Removes a file; false when it is still there.
bool DiskRemove(const char* path);
// Removes an empty folder; false when it is still there.
bool DiskRemoveFolder(const char* path);
bool DiskExists(const char* path);
bool DiskIsFolder(const char* path);
// The names of the folders in the working folder.
std::vector<std::string> DiskFolderNames();

// Writes `size` bytes to `path` so that a crash leaves either the old or the
// new content: the temporary `temporary` beside it, synced, then renamed
// over it.
bool DiskWriteWhole(const char* path, const char* temporary, const void* data, std::size_t size);

// Test support, never switched on by the program: a model of a power cut.
// From DiskPowerModelOn the seam notes what each file would hold after a
// power cut: only what was synced, under the names that a synced folder
// holds (a rename or a new file is durable once its folder is synced).
// DiskPowerCut lays the working folder down so, and fails every operation
// after it until DiskPowerModelOff. Native builds only.
void DiskPowerModelOn();
void DiskPowerCut();
void DiskPowerModelOff();
