// Files through the C runtime's streams, with the few platform calls that a
// crash-safe store needs (sync, truncate, atomic rename), the causes the
// system gives for a failure, and the retries of a refusal that passes.
#include "store/disk.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "store/disk_power_loss.h"

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#include <windows.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <time.h>
#include <unistd.h>
#endif

DiskFaultHook DiskHook = nullptr;
const char* DiskHookPath = "";

namespace {

void SleepFor(int milliseconds) {
#ifdef _WIN32
  Sleep(static_cast<DWORD>(milliseconds));
#else
  struct timespec pause = {milliseconds / 1000, (milliseconds % 1000) * 1000000L};
  nanosleep(&pause, nullptr);
#endif
}

// Records move 1960 bytes at a time; a large buffer keeps that to few calls.
constexpr std::size_t kStreamBuffer = std::size_t{64} * 1024;

// The failure of the operation just tried, and the first one since
// DiskClearFailure that no retry made good: the cause to tell the user,
// which the failures of the clean-up after it must not hide.
DiskFailure Current;
DiskFailure First;
bool Retrying = false;

}  // namespace

DiskWaitFn DiskWait = SleepFor;

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
    case DiskFault::Error:
    case DiskFault::None:
      break;
  }
  return DiskCause::Other;
}

#ifdef _WIN32
DiskCause CauseOfSystemError(DWORD error) {
  switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return DiskCause::DiskFull;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return DiskCause::NoPermission;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return DiskCause::InUse;
    default:
      return DiskCause::Other;
  }
}
#endif

DiskCause CauseOfErrno(int error) {
  switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return DiskCause::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
    // Windows refuses a folder opened or replaced as a file as access denied.
    case EISDIR:
      return DiskCause::NoPermission;
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
      return DiskCause::InUse;
    default:
      return DiskCause::Other;
  }
}

void Settle() {
  if (First.cause == DiskCause::None) First = Current;
}

void Note(DiskCause cause, const std::string& path) {
  Current.cause = cause;
  Current.file = path.compare(0, 2, "./") == 0 ? path.substr(2) : path;
  if (!Retrying) Settle();
}

// Before a runtime call whose failure is noted by NoteRuntimeFailure.
void ClearSystemError() {
  errno = 0;
#ifdef _WIN32
  _doserrno = 0;
  SetLastError(0);
#endif
}

// The runtime's error: on Windows the system's own code where the runtime
// kept it, which tells a sharing violation from a denied access.
DiskCause RuntimeCause() {
#ifdef _WIN32
  if (_doserrno != 0) return CauseOfSystemError(static_cast<DWORD>(_doserrno));
#endif
  return CauseOfErrno(errno);
}

void NoteRuntimeFailure(const std::string& path) { Note(RuntimeCause(), path); }

// Asks the test hook about the next operation on `path`; false (and the
// failure noted) when it is to fail, or when the power model has cut the
// power.
bool Go(DiskOp op, const std::string& path, DiskFault* fault = nullptr) {
  DiskFault planned = DiskFault::None;
  if (DiskHook) {
    DiskHookPath = path.c_str();
    planned = DiskHook(op);
    DiskHookPath = "";
  }
  if (PowerModelCut()) planned = DiskFault::Error;
  if (fault) *fault = planned;
  if (planned == DiskFault::None) return true;
  if (planned != DiskFault::ShortWrite) Note(CauseOfFault(planned), path);
  return false;
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
    DiskWait(kRetryStepMs);
  }
  Retrying = false;
  if (!done) Settle();
  return done;
}

#ifndef _WIN32
// Makes the names in a folder durable: the files made, renamed or removed
// in it.
void SyncFolderNames(const char* path) {
  int folder = ::open(path, O_RDONLY);
  if (folder < 0) return;
  ::fsync(folder);
  ::close(folder);
}

// The folder that holds `path`.
std::string FolderOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}
#endif

}  // namespace

DiskFailure DiskLastFailure() { return First; }

void DiskClearFailure() { First = Current = DiskFailure(); }

std::vector<std::string> DiskFolderNames() {
  std::vector<std::string> names;
#ifdef _WIN32
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA("*", &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
#else
  DIR* folder = ::opendir(".");
  if (!folder) return names;
  while (const struct dirent* entry = ::readdir(folder)) {
    if (DiskIsFolder(entry->d_name)) names.push_back(entry->d_name);
  }
  ::closedir(folder);
#endif
  return names;
}

DiskCause DiskCauseOfRuntimeError() { return RuntimeCause(); }

DiskCause DiskCauseOfSystemError(unsigned long error) {
#ifdef _WIN32
  return CauseOfSystemError(static_cast<DWORD>(error));
#else
  return CauseOfErrno(static_cast<int>(error));
#endif
}

DiskFile* DiskOpen(const char* path, DiskMode mode) {
  const char* modes[] = {"rb", "wb", "r+b"};
  std::FILE* stream = nullptr;
  bool opened = WithRetries([&] {
    if (!Go(DiskOp::Open, path)) return false;
    ClearSystemError();
    stream = std::fopen(path, modes[static_cast<int>(mode)]);
    if (!stream) {
      NoteRuntimeFailure(path);
      return false;
    }
#ifndef _WIN32
    // A folder opens for reading here and would read as an odd file; Windows
    // refuses it, as access denied.
    struct stat info;
    if (::fstat(fileno(stream), &info) == 0 && S_ISDIR(info.st_mode)) {
      std::fclose(stream);
      stream = nullptr;
      Note(DiskCause::NoPermission, path);
      return false;
    }
#endif
    return true;
  });
  if (!opened) return nullptr;
  if (mode == DiskMode::Create) PowerModelNoteFile(path);
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

namespace {
// Reads ahead into an empty buffer: the first read takes only what is asked
// and each later one twice the last, up to the buffer, so that loading the
// first quote reads one record, not a whole buffer, while a walk over many
// records soon moves in large reads. False at the end or on an error.
bool ReadAhead(DiskFile* file, int64_t wanted) {
  std::size_t want = wanted > static_cast<int64_t>(kStreamBuffer) ? kStreamBuffer
                                                                 : static_cast<std::size_t>(wanted);
  if (want < 2 * file->lastFill) want = 2 * file->lastFill;
  if (want > kStreamBuffer) want = kStreamBuffer;
  file->next = 0;
  file->end = std::fread(file->buffer, 1, want, file->stream);
  file->lastFill = want;
  return file->end > 0;
}
}  // namespace

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
    if (file->next == file->end && !ReadAhead(file, static_cast<int64_t>(size - done))) break;
    std::size_t part = file->end - file->next;
    if (part > size - done) part = size - done;
    std::memcpy(out + done, file->buffer + file->next, part);
    file->next += part;
    done += part;
  }
  return done;
}

int64_t DiskPassOver(DiskFile* file, int64_t size) {
  if (!Go(DiskOp::Read, file->path)) return 0;
  int64_t done = 0;
  while (done < size) {
    std::size_t part;
    if (file->readAhead) {
      if (file->next == file->end && !ReadAhead(file, size - done)) break;
      part = file->end - file->next;
      if (static_cast<int64_t>(part) > size - done) part = static_cast<std::size_t>(size - done);
      file->next += part;
    } else {
      // A file opened for writing keeps its buffer for the stream.
      char scratch[4096];
      std::size_t want = size - done < 4096 ? static_cast<std::size_t>(size - done) : 4096;
      part = std::fread(scratch, 1, want, file->stream);
      if (part == 0) break;
    }
    done += static_cast<int64_t>(part);
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
  ClearSystemError();
  if (std::fwrite(data, 1, size, file->stream) == size) return true;
  NoteRuntimeFailure(file->path);
  return false;
}

bool DiskFlush(DiskFile* file) {
  if (!Go(DiskOp::Flush, file->path)) return false;
  ClearSystemError();
  if (std::fflush(file->stream) == 0) return true;
  NoteRuntimeFailure(file->path);
  return false;
}

bool DiskSync(DiskFile* file) {
  if (!Go(DiskOp::Sync, file->path)) return false;
  ClearSystemError();
  bool synced = std::fflush(file->stream) == 0;
#ifdef _WIN32
  synced = synced && _commit(_fileno(file->stream)) == 0;
#else
  synced = synced && ::fsync(fileno(file->stream)) == 0;
#endif
  if (!synced) {
    NoteRuntimeFailure(file->path);
    return false;
  }
  PowerModelNoteSync(file->path);
  return true;
}

bool DiskClose(DiskFile* file) {
  bool refused = !Go(DiskOp::Close, file->path);
  ClearSystemError();
  bool closed = std::fclose(file->stream) == 0;
  if (!closed) NoteRuntimeFailure(file->path);
  delete file;
  return closed && !refused;
}

bool DiskSeek(DiskFile* file, int64_t offset) {
  if (!Go(DiskOp::Seek, file->path)) return false;
  file->next = file->end = 0;
#ifdef _WIN32
  return _fseeki64(file->stream, offset, SEEK_SET) == 0;
#else
  return fseeko(file->stream, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

int64_t DiskSize(DiskFile* file) {
  if (!Go(DiskOp::Seek, file->path)) return -1;
  file->next = file->end = 0;
#ifdef _WIN32
  if (_fseeki64(file->stream, 0, SEEK_END) != 0) return -1;
  int64_t size = _ftelli64(file->stream);
#else
  if (fseeko(file->stream, 0, SEEK_END) != 0) return -1;
  int64_t size = ftello(file->stream);
#endif
  std::rewind(file->stream);
  return size;
}

bool DiskTruncate(DiskFile* file, int64_t size) {
  if (!Go(DiskOp::Truncate, file->path)) return false;
  ClearSystemError();
  bool cut = std::fflush(file->stream) == 0;
#ifdef _WIN32
  cut = cut && _chsize_s(_fileno(file->stream), size) == 0;
#else
  cut = cut && ::ftruncate(fileno(file->stream), static_cast<off_t>(size)) == 0;
#endif
  if (!cut) NoteRuntimeFailure(file->path);
  return cut;
}

bool DiskReplace(const char* from, const char* to) {
  bool renamed = WithRetries([&] {
    if (!Go(DiskOp::Replace, to)) return false;
#ifdef _WIN32
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    Note(CauseOfSystemError(GetLastError()), to);
    return false;
#else
    ClearSystemError();
    if (std::rename(from, to) == 0) return true;
    NoteRuntimeFailure(to);
    return false;
#endif
  });
  if (!renamed) return false;
  PowerModelNoteRename(from, to);
#ifndef _WIN32
  // The rename is durable once the folder is; MOVEFILE_WRITE_THROUGH does
  // that on Windows.
  if (Go(DiskOp::SyncFolder, FolderOf(to))) {
    SyncFolderNames(FolderOf(to).c_str());
    PowerModelNoteFolderSync(FolderOf(to));
  }
#endif
  return true;
}

bool DiskMakeFolder(const char* path) {
  if (!Go(DiskOp::MakeFolder, path)) return false;
  ClearSystemError();
#ifdef _WIN32
  bool made = _mkdir(path) == 0;
#else
  bool made = ::mkdir(path, 0777) == 0;
#endif
  if (!made) {
    NoteRuntimeFailure(path);
    return false;
  }
  PowerModelNoteFolder(path);
  return true;
}

void DiskSyncFolder(const char* path) {
  if (!Go(DiskOp::SyncFolder, path)) return;
#ifndef _WIN32
  // On Windows the file system journals the names; a synced file is found.
  SyncFolderNames(path);
#endif
  PowerModelNoteFolderSync(path);
}

bool DiskRenameFolder(const char* from, const char* to) {
  DiskSyncFolder(from);
  bool renamed = WithRetries([&] {
    if (!Go(DiskOp::Replace, to)) return false;
#ifdef _WIN32
    // A folder cannot be moved with MOVEFILE_REPLACE_EXISTING; without it the
    // move fails when the new name is taken.
    if (MoveFileExA(from, to, MOVEFILE_WRITE_THROUGH)) return true;
    Note(CauseOfSystemError(GetLastError()), to);
    return false;
#else
    // rename() would put a folder over an empty one of the new name.
    if (DiskExists(to)) {
      Note(DiskCause::Other, to);
      return false;
    }
    ClearSystemError();
    if (std::rename(from, to) == 0) return true;
    NoteRuntimeFailure(to);
    return false;
#endif
  });
  if (!renamed) return false;
  PowerModelNoteRename(from, to);
  DiskSyncFolder(".");
  return true;
}

bool DiskRemove(const char* path) {
  // Not one of the faults a test plans: a removal is how a failed step
  // cleans up after itself. The power model still stops it.
  if (PowerModelCut()) return false;
  ClearSystemError();
  bool removed = std::remove(path) == 0;
  if (removed) PowerModelNoteRemove(path);
  return removed || !DiskExists(path);
}

bool DiskRemoveFolder(const char* path) {
  if (PowerModelCut()) return false;
#ifdef _WIN32
  bool removed = _rmdir(path) == 0;
#else
  bool removed = ::rmdir(path) == 0;
#endif
  if (removed) PowerModelNoteRemove(path);
  return removed || !DiskExists(path);
}

bool DiskExists(const char* path) {
  struct stat info;
  return ::stat(path, &info) == 0;
}

bool DiskIsFolder(const char* path) {
  struct stat info;
  return ::stat(path, &info) == 0 && (info.st_mode & S_IFMT) == S_IFDIR;
}

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
