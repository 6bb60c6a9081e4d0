// The disk seam's system calls on POSIX (the native build of the tests):
// the C runtime's streams, fsync for files and folders, errno's causes.
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include "store/disk_system.h"

namespace {

DiskCause Cause = DiskCause::None;

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
    // A network file system whose server went away or cannot be reached.
    case ENOTCONN:
    case ETIMEDOUT:
    case EHOSTDOWN:
    case EHOSTUNREACH:
    case ENETDOWN:
    case ENETUNREACH:
    case ECONNRESET:
    case ECONNABORTED:
    case ESTALE:
      return DiskCause::Network;
    default:
      return DiskCause::Other;
  }
}

bool Failed(DiskCause cause) {
  Cause = cause;
  return false;
}

}  // namespace

DiskCause SystemFailure() { return Cause; }

void SystemClearError() { errno = 0; }

bool SystemKept(bool done) {
  if (!done) Cause = CauseOfErrno(errno);
  return done;
}

void SystemSleep(int milliseconds) {
  struct timespec pause = {milliseconds / 1000, (milliseconds % 1000) * 1000000L};
  nanosleep(&pause, nullptr);
}

namespace {

// A file to lock: made where it is missing, never emptied. POSIX has no
// sharing modes, so Alone opens as Shared does.
std::FILE* OpenToLock(const char* path) {
  int handle = ::open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (handle < 0) return nullptr;
  std::FILE* stream = ::fdopen(handle, "r+b");
  if (!stream) ::close(handle);
  return stream;
}

}  // namespace

std::FILE* SystemOpen(const char* path, DiskMode mode) {
  const char* modes[] = {"rb", "wb", "r+b"};
  SystemClearError();
  bool toLock = mode == DiskMode::Shared || mode == DiskMode::Alone;
  std::FILE* stream = toLock ? OpenToLock(path) : std::fopen(path, modes[static_cast<int>(mode)]);
  if (!SystemKept(stream != nullptr)) return nullptr;
  // A folder opens for reading here and would read as an odd file.
  struct stat info;
  if (::fstat(fileno(stream), &info) == 0 && S_ISDIR(info.st_mode)) {
    std::fclose(stream);
    Failed(DiskCause::NoPermission);
    return nullptr;
  }
  return stream;
}

namespace {

// Locks of the open file description (not of the process, as F_SETLK's
// are), so that two opens in one process exclude each other as two
// processes do, and a close of another descriptor lets go of nothing.
int LockRange(std::FILE* stream, short type, int64_t offset, int64_t length) {
  struct flock range {};
  range.l_type = type;
  range.l_whence = SEEK_SET;
  range.l_start = static_cast<off_t>(offset);
  range.l_len = static_cast<off_t>(length);
  return ::fcntl(fileno(stream), F_OFD_SETLK, &range);
}

}  // namespace

DiskLock SystemLock(std::FILE* stream, int64_t offset, int64_t length) {
  if (LockRange(stream, F_WRLCK, offset, length) == 0) return DiskLock::Taken;
  switch (errno) {
    case EAGAIN:
    case EACCES:
      return DiskLock::Busy;
    case EINVAL:
    case ENOLCK:
    case EOPNOTSUPP:
      return DiskLock::Unsupported;
    default:
      SystemKept(false);
      return DiskLock::Failed;
  }
}

void SystemUnlock(std::FILE* stream, int64_t offset, int64_t length) {
  LockRange(stream, F_UNLCK, offset, length);
}

bool SystemSync(std::FILE* stream) {
  SystemClearError();
  return SystemKept(std::fflush(stream) == 0 && ::fsync(fileno(stream)) == 0);
}

bool SystemSeek(std::FILE* stream, int64_t offset) {
  return SystemKept(fseeko(stream, static_cast<off_t>(offset), SEEK_SET) == 0);
}

int64_t SystemSize(std::FILE* stream) {
  if (!SystemKept(fseeko(stream, 0, SEEK_END) == 0)) return -1;
  int64_t size = ftello(stream);
  std::rewind(stream);
  return size;
}

bool SystemTruncate(std::FILE* stream, int64_t size) {
  SystemClearError();
  return SystemKept(std::fflush(stream) == 0 &&
                    ::ftruncate(fileno(stream), static_cast<off_t>(size)) == 0);
}

bool SystemReplace(const char* from, const char* to, bool* durable) {
  // The rename is durable only once its folder is synced.
  *durable = false;
  SystemClearError();
  return SystemKept(std::rename(from, to) == 0);
}

bool SystemRenameFolder(const char* from, const char* to) {
  // rename() would put a folder over an empty one of the new name.
  if (SystemExists(to)) return Failed(DiskCause::Other);
  SystemClearError();
  return SystemKept(std::rename(from, to) == 0);
}

bool SystemMakeFolder(const char* path) {
  SystemClearError();
  return SystemKept(::mkdir(path, 0777) == 0);
}

void SystemSyncFolder(const char* path) {
  int folder = ::open(path, O_RDONLY);
  if (folder < 0) return;
  ::fsync(folder);
  ::close(folder);
}

bool SystemRemove(const char* path) { return std::remove(path) == 0; }

bool SystemRemoveFolder(const char* path) { return ::rmdir(path) == 0; }

bool SystemExists(const char* path) {
  struct stat info;
  return ::stat(path, &info) == 0;
}

bool SystemIsFolder(const char* path) {
  struct stat info;
  return ::stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<std::string> SystemFolderNames() {
  std::vector<std::string> names;
  DIR* folder = ::opendir(".");
  if (!folder) return names;
  while (const struct dirent* entry = ::readdir(folder)) {
    if (SystemIsFolder(entry->d_name)) names.push_back(entry->d_name);
  }
  ::closedir(folder);
  return names;
}

bool SystemIdentity(const char* path, uint64_t& volume, uint64_t& file) {
  struct stat seen {};
  if (::stat(path, &seen) != 0) return false;
  volume = static_cast<uint64_t>(seen.st_dev);
  file = static_cast<uint64_t>(seen.st_ino);
  return true;
}

wchar_t SystemSeparator() { return L'/'; }
