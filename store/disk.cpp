// The shared layer of the disk seam, above each platform's system calls:
// the observer asked and told, retries of a refusal that passes, the cause
// of the first failure kept, and reading ahead.
#include "store/disk.h"

#include <cstring>
#include <string>

#include "store/disk_system.h"

namespace {

const DiskObserver* Observer = nullptr;

// Records move 1960 bytes at a time; a large buffer keeps that to few calls.
constexpr std::size_t kStreamBuffer = std::size_t{64} * 1024;

// The failure of the operation just tried, and the first one since
// DiskClearFailure that no retry made good: the cause to tell the user,
// which the failures of the clean-up after it must not hide.
DiskFailure Current;
DiskFailure First;
bool Retrying = false;

}  // namespace

struct DiskFile {
  std::FILE* stream;
  std::string path;
  // A file being written has this as its stream's buffer, given rather than
  // left to the runtime: given none, glibc ignores the size asked for and
  // moves 4 KiB per call. A file being read does its own reading ahead here
  // (see DiskRead), its stream unbuffered.
  char buffer[kStreamBuffer];
  bool readAhead;
  std::size_t next, end;  // bytes of the buffer not yet handed out
  std::size_t lastFill;
};

namespace {

DiskCause CauseOfFault(DiskFault fault) {
  switch (fault) {
    case DiskFault::ShortWrite:
    case DiskFault::DiskFull:
      return DiskCause::DiskFull;
    case DiskFault::Denied:
      return DiskCause::NoPermission;
    case DiskFault::InUse:
      return DiskCause::InUse;
    case DiskFault::NetworkLost:
      return DiskCause::Network;
    case DiskFault::Error:
    case DiskFault::None:
      break;
  }
  return DiskCause::Other;
}

void Settle() {
  if (First.cause == DiskCause::None) First = Current;
}

void Note(DiskCause cause, const std::string& path) {
  Current.cause = cause;
  Current.file = path.compare(0, 2, "./") == 0 ? path.substr(2) : path;
  if (!Retrying) Settle();
}

// Passes a system call's result on, keeping its cause when it failed.
bool Noted(bool done, const std::string& path) {
  if (!done) Note(SystemFailure(), path);
  return done;
}

// The fault the observer plans for the next operation on `path`.
DiskFault Planned(DiskOp op, const std::string& path) {
  return Observer && Observer->before ? Observer->before(op, path.c_str()) : DiskFault::None;
}

// Whether the next operation on `path` may go; where it is to fail, the
// planned fault's cause is noted, but for a short write (noted once its half
// is down) and a removal (whose failure is never kept).
bool Go(DiskOp op, const std::string& path, DiskFault* fault = nullptr) {
  DiskFault planned = Planned(op, path);
  if (fault) *fault = planned;
  if (planned == DiskFault::None) return true;
  if (planned != DiskFault::ShortWrite && op != DiskOp::Remove) Note(CauseOfFault(planned), path);
  return false;
}

void Tell(DiskChange change, const std::string& path, const std::string& to = std::string()) {
  if (Observer && Observer->changed) Observer->changed(change, path.c_str(), to.c_str());
}

// A refusal that another program's brief hold of a file explains.
bool Passing(DiskCause cause) { return cause == DiskCause::InUse || cause == DiskCause::NoPermission; }

// Runs `attempt` until it succeeds, fails for a cause that does not pass,
// or the retries have waited about two seconds.
template <typename Attempt>
bool WithRetries(Attempt attempt) {
  Retrying = true;
  bool done = false;
  for (int waited = 0;; waited += kRetryStepMs) {
    done = attempt();
    if (done || !Passing(Current.cause) || waited >= kRetryBudgetMs) break;
    DiskPause(kRetryStepMs);
  }
  Retrying = false;
  if (!done) Settle();
  return done;
}

// Gives `from` the name `to` by `rename`, a system call, tried again while
// its refusal passes.
template <typename Rename>
bool RenameWithRetries(const char* from, const char* to, Rename rename) {
  bool renamed = WithRetries([&] { return Go(DiskOp::Replace, to) && Noted(rename(), to); });
  if (renamed) Tell(DiskChange::Renamed, from, to);
  return renamed;
}

// The folder that holds `path`.
std::string FolderOf(const std::string& path) {
  std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// Reads ahead into an empty buffer: the first read takes only what is asked
// and each later one twice the last, up to the buffer, so that loading the
// first quote reads one record, not a whole buffer, while a walk over many
// records soon moves in large reads. False at the end or on an error.
bool ReadAhead(DiskFile* file, std::size_t wanted) {
  std::size_t want = wanted > kStreamBuffer ? kStreamBuffer : wanted;
  if (want < 2 * file->lastFill) want = 2 * file->lastFill;
  if (want > kStreamBuffer) want = kStreamBuffer;
  file->next = 0;
  file->end = std::fread(file->buffer, 1, want, file->stream);
  file->lastFill = want;
  return file->end > 0;
}

}  // namespace

void DiskObserve(const DiskObserver* observer) { Observer = observer; }

void DiskPause(int milliseconds) {
  if (Observer && Observer->wait) {
    Observer->wait(milliseconds);
  } else {
    SystemSleep(milliseconds);
  }
}

DiskFailure DiskLastFailure() { return First; }

void DiskNoteFailure(DiskCause cause, const char* path) { Note(cause, path); }

void DiskClearFailure() { First = Current = DiskFailure(); }

DiskFile* DiskOpen(const char* path, DiskMode mode) {
  std::FILE* stream = nullptr;
  // A file opened to be locked is asked for as a lock, so that the faults
  // planned for the opens of the data files do not fall on it.
  bool toLock = mode == DiskMode::Shared || mode == DiskMode::Alone;
  bool opened = WithRetries([&] {
    if (!Go(toLock ? DiskOp::Lock : DiskOp::Open, path)) return false;
    stream = SystemOpen(path, mode);
    return Noted(stream != nullptr, path);
  });
  if (!opened) return nullptr;
  if (mode == DiskMode::Create) Tell(DiskChange::Created, path);
  DiskFile* file = new DiskFile;
  file->stream = stream;
  file->path = path;
  file->readAhead = mode == DiskMode::Read;
  file->next = file->end = file->lastFill = 0;
  if (file->readAhead) {
    std::setvbuf(stream, nullptr, _IONBF, 0);
  } else {
    std::setvbuf(stream, file->buffer, _IOFBF, kStreamBuffer);
  }
  return file;
}

DiskLock DiskTryLock(DiskFile* file, int64_t offset, int64_t length) {
  // A lock another copy holds is no failure to keep: the caller waits or
  // says so.
  DiskFault fault = Planned(DiskOp::Lock, file->path);
  if (fault != DiskFault::None) {
    return fault == DiskFault::InUse ? DiskLock::Busy : DiskLock::Unsupported;
  }
  DiskLock lock = SystemLock(file->stream, offset, length);
  if (lock == DiskLock::Failed) Noted(false, file->path);
  return lock;
}

void DiskUnlock(DiskFile* file, int64_t offset, int64_t length) {
  if (Planned(DiskOp::Unlock, file->path) == DiskFault::None) {
    SystemUnlock(file->stream, offset, length);
  }
}

std::size_t DiskRead(DiskFile* file, void* buffer, std::size_t size) {
  if (!Go(DiskOp::Read, file->path)) return 0;
  if (!file->readAhead) return std::fread(buffer, 1, size, file->stream);
  unsigned char* out = static_cast<unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    if (file->next == file->end && size - done >= kStreamBuffer) {
      // Nothing is gained from the buffer for a read as large as it.
      std::size_t got = std::fread(out + done, 1, size - done, file->stream);
      file->lastFill = kStreamBuffer;
      done += got;
      break;
    }
    if (file->next == file->end && !ReadAhead(file, size - done)) break;
    std::size_t part = file->end - file->next;
    if (part > size - done) part = size - done;
    std::memcpy(out + done, file->buffer + file->next, part);
    file->next += part;
    done += part;
  }
  return done;
}

bool DiskWrite(DiskFile* file, const void* data, std::size_t size) {
  DiskFault fault = DiskFault::None;
  if (!Go(DiskOp::Write, file->path, &fault)) {
    if (fault == DiskFault::ShortWrite) {
      std::fwrite(data, 1, size / 2, file->stream);
      std::fflush(file->stream);
      Note(DiskCause::DiskFull, file->path);
    }
    return false;
  }
  SystemClearError();
  return Noted(SystemKept(std::fwrite(data, 1, size, file->stream) == size), file->path);
}

bool DiskSync(DiskFile* file) {
  if (!Go(DiskOp::Sync, file->path)) return false;
  if (!Noted(SystemSync(file->stream), file->path)) return false;
  Tell(DiskChange::Synced, file->path);
  return true;
}

bool DiskClose(DiskFile* file) {
  bool refused = !Go(DiskOp::Close, file->path);
  SystemClearError();
  bool closed = Noted(SystemKept(std::fclose(file->stream) == 0), file->path);
  delete file;
  return closed && !refused;
}

bool DiskSeek(DiskFile* file, int64_t offset) {
  if (!Go(DiskOp::Seek, file->path)) return false;
  file->next = file->end = 0;
  return SystemSeek(file->stream, offset);
}

int64_t DiskSize(DiskFile* file) {
  if (!Go(DiskOp::Seek, file->path)) return -1;
  file->next = file->end = 0;
  return SystemSize(file->stream);
}

bool DiskTruncate(DiskFile* file, int64_t size) {
  if (!Go(DiskOp::Truncate, file->path)) return false;
  return Noted(SystemTruncate(file->stream, size), file->path);
}

bool DiskReplace(const char* from, const char* to) {
  bool durable = false;
  if (!RenameWithRetries(from, to, [&] { return SystemReplace(from, to, &durable); })) return false;
  std::string folder = FolderOf(to);
  if (!durable && Go(DiskOp::SyncFolder, folder)) {
    SystemSyncFolder(folder.c_str());
    Tell(DiskChange::FolderSynced, folder);
  }
  return true;
}

bool DiskMakeFolder(const char* path) {
  if (!Go(DiskOp::MakeFolder, path)) return false;
  if (!Noted(SystemMakeFolder(path), path)) return false;
  Tell(DiskChange::FolderMade, path);
  return true;
}

void DiskSyncFolder(const char* path) {
  if (!Go(DiskOp::SyncFolder, path)) return;
  SystemSyncFolder(path);
  Tell(DiskChange::FolderSynced, path);
}

bool DiskRenameFolder(const char* from, const char* to) {
  DiskSyncFolder(from);
  if (!RenameWithRetries(from, to, [&] { return SystemRenameFolder(from, to); })) return false;
  DiskSyncFolder(".");
  return true;
}

bool DiskRemove(const char* path) {
  if (!Go(DiskOp::Remove, path)) return false;
  bool removed = SystemRemove(path);
  if (removed) Tell(DiskChange::Removed, path);
  return removed || !SystemExists(path);
}

bool DiskRemoveFolder(const char* path) {
  if (!Go(DiskOp::Remove, path)) return false;
  bool removed = SystemRemoveFolder(path);
  if (removed) Tell(DiskChange::Removed, path);
  return removed || !SystemExists(path);
}

bool DiskExists(const char* path) { return SystemExists(path); }

bool DiskIsFolder(const char* path) { return SystemIsFolder(path); }

bool DiskIdentity(const char* path, uint64_t& volume, uint64_t& file) {
  return SystemIdentity(path, volume, file);
}

wchar_t DiskSeparator() { return SystemSeparator(); }

std::vector<std::string> DiskFolderNames() { return SystemFolderNames(); }

bool DiskWriteWhole(const char* path, const char* temporary, const void* data, std::size_t size) {
  DiskFile* file = DiskOpen(temporary, DiskMode::Create);
  if (!file) return false;
  bool written = DiskWrite(file, data, size) && DiskSync(file);
  bool closed = DiskClose(file);
  if (!written || !closed) {
    DiskRemove(temporary);
    return false;
  }
  // A rename refused leaves the file as it was: the new copy beside it is
  // of no use to anyone.
  if (DiskReplace(temporary, path)) return true;
  DiskRemove(temporary);
  return false;
}
