// presupuestos.lck: held open by every copy for its life, and byte 0 of it
// locked for the moment of each change. The file server carries the lock
// between PCs and lets go of it when a copy or its PC dies.
#include "store/folder_lock.h"

#include "store/disk.h"
#include "store/file_names.h"

namespace {

FolderShare Share = FolderShare::Shared;

// Kept open until the process ends: an older copy of the program, which
// opens the file with no sharing, then cannot start on the folder either.
DiskFile* Held = nullptr;

// The one byte whose lock is the moment of a change.
constexpr int64_t kChangeByte = 0;

// Whether this PC may not change the quotes: datos.dat is there and is
// refused to be opened for writing.
bool QuotesReadOnly() {
  DiskClearFailure();
  DiskFile* quotes = DiskOpen(kQuoteFile, DiskMode::Update);
  if (quotes) DiskClose(quotes);
  return !quotes && DiskLastFailure().cause == DiskCause::NoPermission;
}

// Why presupuestos.lck could not be opened. With `joining`, a lock file that
// this PC may not write is looked at further.
FolderShare OpenRefused(bool joining) {
  DiskFailure failure = DiskLastFailure();
  if (failure.cause == DiskCause::InUse) return FolderShare::HeldByAnother;
  if (failure.cause != DiskCause::NoPermission) return FolderShare::Unusable;
  // No lock file, and none can be made: a read-only folder or medium,
  // which takes no other file either.
  if (!DiskExists(kLockFile)) return FolderShare::Unguarded;
  // One there, in a folder whose quotes this PC may not change either: a
  // share it may only read, where it changes nothing.
  return joining && QuotesReadOnly() ? FolderShare::Unguarded : FolderShare::Unusable;
}

}  // namespace

void LeaveWorkingFolder() {
  if (Held) DiskClose(Held);
  Held = nullptr;
  Share = FolderShare::Shared;
}

FolderShare JoinWorkingFolder() {
  LeaveWorkingFolder();
  DiskClearFailure();
  DiskFile* file = DiskOpen(kLockFile, DiskMode::Shared);
  if (!file) return Share = OpenRefused(true);
  DiskLock lock = DiskTryLock(file, kChangeByte, 1);
  if (lock == DiskLock::Taken) DiskUnlock(file, kChangeByte, 1);
  if (lock != DiskLock::Unsupported) {
    // Busy: another copy is changing the files, so locks work here.
    Held = file;
    return Share = FolderShare::Shared;
  }
  DiskClose(file);
  DiskClearFailure();
  Held = DiskOpen(kLockFile, DiskMode::Alone);
  if (!Held) return Share = OpenRefused(true);
  return Share = FolderShare::Alone;
}

StoreLock::StoreLock() {
  if (Share != FolderShare::Shared) {
    taken_ = true;
    return;
  }
  file_ = DiskOpen(kLockFile, DiskMode::Shared);
  if (!file_) {
    // A read-only folder has nothing to guard: the change fails on its own,
    // and tells its own cause. But the lock file this copy has held open
    // since it joined the folder is there even where it cannot be seen:
    // deleted, its name is kept by the file server until every copy lets go
    // of it, and other copies may still lock it.
    taken_ = !Held && OpenRefused(false) == FolderShare::Unguarded;
    if (taken_) DiskClearFailure();
    return;
  }
  for (int waited = 0;; waited += kRetryStepMs) {
    DiskLock lock = DiskTryLock(file_, kChangeByte, 1);
    locked_ = lock == DiskLock::Taken;
    // A file system that refuses the lock now is no worse off than before
    // there were locks.
    taken_ = locked_ || lock == DiskLock::Unsupported;
    if (lock != DiskLock::Busy) return;
    if (waited >= kLockWaitMs) {
      DiskNoteFailure(DiskCause::InUse, kLockFile);
      return;
    }
    DiskPause(kRetryStepMs);
  }
}

StoreLock::~StoreLock() {
  if (locked_) DiskUnlock(file_, kChangeByte, 1);
  if (file_) DiskClose(file_);
}
