// The disk seam's system calls on Windows: the C runtime's streams on wide
// names, _commit, MoveFileExW with write-through, and the system's codes
// for a failure, which tell a sharing violation from a denied access.
#include <direct.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>

#include "store/disk_system.h"

namespace {

DiskCause Cause = DiskCause::None;

DiskCause CauseOfSystemError(DWORD error) {
  switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return DiskCause::DiskFull;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
      return DiskCause::NoPermission;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return DiskCause::InUse;
    // A share whose server went away, or that cannot be reached now.
    case ERROR_BAD_NETPATH:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_NETNAME_DELETED:
    case ERROR_BAD_NET_NAME:
    case ERROR_SEM_TIMEOUT:
    case ERROR_NETWORK_UNREACHABLE:
    case ERROR_CONNECTION_ABORTED:
      return DiskCause::Network;
    default:
      return DiskCause::Other;
  }
}

DiskCause CauseOfErrno(int error) {
  switch (error) {
    case ENOSPC:
      return DiskCause::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
      return DiskCause::NoPermission;
    case EBUSY:
      return DiskCause::InUse;
    default:
      return DiskCause::Other;
  }
}

bool KeptSystem(bool done) {
  if (!done) Cause = CauseOfSystemError(GetLastError());
  return done;
}

std::wstring Wide(const char* utf8) {
  int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &wide[0], length);
  wide.resize(static_cast<std::size_t>(length - 1));
  return wide;
}

std::string Utf8(const wchar_t* wide) {
  int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::string();
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, &utf8[0], length, nullptr, nullptr);
  utf8.resize(static_cast<std::size_t>(length - 1));
  return utf8;
}

}  // namespace

DiskCause SystemFailure() { return Cause; }

void SystemClearError() {
  errno = 0;
  _doserrno = 0;
  SetLastError(0);
}

// The runtime's error: the system's own code where the runtime kept one.
bool SystemKept(bool done) {
  if (done) return true;
  Cause = _doserrno != 0 ? CauseOfSystemError(static_cast<DWORD>(_doserrno)) : CauseOfErrno(errno);
  return false;
}

void SystemSleep(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

namespace {

// How each DiskMode opens: the access, what is done with a missing or an
// existing file, the runtime's flags and its stream's mode.
struct OpenWay {
  DWORD access;
  DWORD disposition;
  int flags;
  const char* stream;
};

OpenWay WayOf(DiskMode mode) {
  switch (mode) {
    case DiskMode::Read:
      return {GENERIC_READ, OPEN_EXISTING, _O_RDONLY, "rb"};
    case DiskMode::Create:
      return {GENERIC_WRITE, CREATE_ALWAYS, _O_WRONLY, "wb"};
    case DiskMode::Update:
      return {GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING, _O_RDWR, "r+b"};
    case DiskMode::Shared:
    case DiskMode::Alone:
      break;
  }
  return {GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS, _O_RDWR, "r+b"};
}

// The handle under a stream of the C runtime, which closes both.
std::FILE* AsStream(HANDLE handle, const OpenWay& way) {
  int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), way.flags | _O_BINARY);
  if (descriptor < 0) {
    CloseHandle(handle);
    return nullptr;
  }
  std::FILE* stream = _fdopen(descriptor, way.stream);
  if (!stream) _close(descriptor);
  return stream;
}

// An existing file, not a folder.
bool IsPlainFile(const std::wstring& name) {
  DWORD attributes = GetFileAttributesW(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::FILE* SystemOpen(const char* path, DiskMode mode) {
  // Every copy of the program, on this PC or another, opens the data files
  // sharing read, write and delete, so that a reader never makes another
  // copy's rename over datos.dat fail.
  // A file to lock is not deleted while a copy holds it: a new one in its
  // place would be locked apart from the old.
  const DWORD readWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;
  DWORD share = mode == DiskMode::Alone    ? 0
                : mode == DiskMode::Shared ? readWrite
                                           : readWrite | FILE_SHARE_DELETE;
  OpenWay way = WayOf(mode);
  std::wstring name = Wide(path);
  SystemClearError();
  HANDLE handle = CreateFileW(name.c_str(), way.access, share, nullptr, way.disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD refused = handle == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
  bool toLock = mode == DiskMode::Shared || mode == DiskMode::Alone;
  if (toLock && refused == ERROR_ACCESS_DENIED && IsPlainFile(name)) {
    // A lock file marked read-only, or one on a read-only medium, still
    // locks when opened for reading alone. Where there is none, the folder's
    // denied access is kept: a read-only folder, not (as the second open's
    // "not found" would say) a lock file that cannot be used.
    way = {GENERIC_READ, OPEN_EXISTING, _O_RDONLY, "rb"};
    handle = CreateFileW(name.c_str(), way.access, share, nullptr, way.disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    refused = handle == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
  }
  if (handle == INVALID_HANDLE_VALUE) {
    Cause = CauseOfSystemError(refused);
    return nullptr;
  }
  std::FILE* stream = AsStream(handle, way);
  SystemKept(stream != nullptr);
  return stream;
}

namespace {

HANDLE HandleOf(std::FILE* stream) {
  return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
}

OVERLAPPED PlaceOf(int64_t offset) {
  OVERLAPPED place = {};
  place.Offset = static_cast<DWORD>(offset);
  place.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(offset) >> 32);
  return place;
}

DWORD Low(int64_t length) { return static_cast<DWORD>(length); }
DWORD High(int64_t length) { return static_cast<DWORD>(static_cast<uint64_t>(length) >> 32); }

}  // namespace

DiskLock SystemLock(std::FILE* stream, int64_t offset, int64_t length) {
  OVERLAPPED place = PlaceOf(offset);
  if (LockFileEx(HandleOf(stream), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                 Low(length), High(length), &place)) {
    return DiskLock::Taken;
  }
  switch (GetLastError()) {
    case ERROR_LOCK_VIOLATION:
    case ERROR_IO_PENDING:
      return DiskLock::Busy;
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_FUNCTION:
    case ERROR_INVALID_PARAMETER:
      return DiskLock::Unsupported;
    default:
      KeptSystem(false);
      return DiskLock::Failed;
  }
}

void SystemUnlock(std::FILE* stream, int64_t offset, int64_t length) {
  OVERLAPPED place = PlaceOf(offset);
  UnlockFileEx(HandleOf(stream), 0, Low(length), High(length), &place);
}

bool SystemSync(std::FILE* stream) {
  SystemClearError();
  return SystemKept(std::fflush(stream) == 0 && _commit(_fileno(stream)) == 0);
}

bool SystemSeek(std::FILE* stream, int64_t offset) {
  return SystemKept(_fseeki64(stream, offset, SEEK_SET) == 0);
}

int64_t SystemSize(std::FILE* stream) {
  if (!SystemKept(_fseeki64(stream, 0, SEEK_END) == 0)) return -1;
  int64_t size = _ftelli64(stream);
  std::rewind(stream);
  return size;
}

bool SystemTruncate(std::FILE* stream, int64_t size) {
  SystemClearError();
  return SystemKept(std::fflush(stream) == 0 && _chsize_s(_fileno(stream), size) == 0);
}

bool SystemReplace(const char* from, const char* to, bool* durable) {
  // Write-through carries the new name to the disk with the rename.
  *durable = true;
  return KeptSystem(MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0);
}

bool SystemRenameFolder(const char* from, const char* to) {
  // A folder cannot be moved with MOVEFILE_REPLACE_EXISTING; without it the
  // move fails when the new name is taken.
  return KeptSystem(MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_WRITE_THROUGH) != 0);
}

bool SystemMakeFolder(const char* path) {
  SystemClearError();
  return SystemKept(_wmkdir(Wide(path).c_str()) == 0);
}

// The file system journals the names; a synced file is found.
void SystemSyncFolder(const char*) {}

bool SystemRemove(const char* path) { return _wremove(Wide(path).c_str()) == 0; }

bool SystemRemoveFolder(const char* path) { return _wrmdir(Wide(path).c_str()) == 0; }

bool SystemExists(const char* path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool SystemIsFolder(const char* path) {
  DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> SystemFolderNames() {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(L"*", &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) names.push_back(Utf8(found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

bool SystemIdentity(const char* path, uint64_t& volume, uint64_t& file) {
  // No access asked, so that a file held with no sharing (the lock) is
  // still reached; the backup flag opens folders too.
  const DWORD anyShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  HANDLE handle = CreateFileW(Wide(path).c_str(), 0, anyShare, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION information;
  bool read = GetFileInformationByHandle(handle, &information) != 0;
  CloseHandle(handle);
  if (!read) return false;
  volume = information.dwVolumeSerialNumber;
  file = (static_cast<uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
  return true;
}

wchar_t SystemSeparator() { return L'\\'; }
