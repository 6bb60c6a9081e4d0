// Writing a file by wide path: the system's calls on Windows, UTF-8 names on
// the native test build.
#include "store/chosen_file.h"

#include <cerrno>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <windows.h>

#include "common/text_file.h"
#include "store/file_identity.h"
#include "store/store_rules.h"

namespace {

#ifdef _WIN32
bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
bool IsFolder(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
bool MakeFolder(const std::wstring& path) { return CreateDirectoryW(path.c_str(), nullptr) != 0; }
DiskCause FolderFailure() { return DiskCauseOfSystemError(GetLastError()); }
std::FILE* OpenForWriting(const std::wstring& path) { return _wfopen(path.c_str(), L"wb"); }
bool Sync(std::FILE* file) { return _commit(_fileno(file)) == 0; }
void Remove(const std::wstring& path) { _wremove(path.c_str()); }
bool Replace(const std::wstring& from, const std::wstring& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
DiskCause ReplaceFailure() { return DiskCauseOfSystemError(GetLastError()); }
void ClearRuntimeError() {
  errno = 0;
  _doserrno = 0;
}
#else
// Native builds (the tests) name files in UTF-8.
std::string Utf8Path(const std::wstring& path) { return Utf8Text(path); }
bool Exists(const std::wstring& path) {
  struct stat seen {};
  return stat(Utf8Path(path).c_str(), &seen) == 0;
}
bool IsFolder(const std::wstring& path) {
  struct stat seen {};
  return stat(Utf8Path(path).c_str(), &seen) == 0 && S_ISDIR(seen.st_mode);
}
bool MakeFolder(const std::wstring& path) { return ::mkdir(Utf8Path(path).c_str(), 0777) == 0; }
DiskCause FolderFailure() { return DiskCauseOfRuntimeError(); }
std::FILE* OpenForWriting(const std::wstring& path) { return std::fopen(Utf8Path(path).c_str(), "wb"); }
bool Sync(std::FILE* file) { return fsync(fileno(file)) == 0; }
void Remove(const std::wstring& path) { std::remove(Utf8Path(path).c_str()); }
bool Replace(const std::wstring& from, const std::wstring& to) {
  return std::rename(Utf8Path(from).c_str(), Utf8Path(to).c_str()) == 0;
}
DiskCause ReplaceFailure() { return DiskCauseOfRuntimeError(); }
void ClearRuntimeError() { errno = 0; }
#endif

}  // namespace

bool FullPath(const std::wstring& path, std::wstring& full) {
  std::vector<wchar_t> buffer(MAX_PATH);
  DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  if (length >= buffer.size()) {
    buffer.resize(length + 1);
    length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  }
  if (length == 0 || length >= buffer.size()) return false;
  full.assign(buffer.data(), length);
#ifdef _WIN32
  // The short (8.3) names of a file or folder that exists in their long
  // form too, so that "PRESUP~1.LCK" names presupuestos.lck: the file where
  // it exists, else its folder.
  for (std::size_t split : {full.size(), full.find_last_of(L"\\/")}) {
    if (split == std::wstring::npos) break;
    std::wstring part = full.substr(0, split);
    DWORD needed = GetLongPathNameW(part.c_str(), nullptr, 0);
    if (needed == 0) continue;
    std::vector<wchar_t> longer(needed);
    DWORD got = GetLongPathNameW(part.c_str(), longer.data(), needed);
    if (got == 0 || got >= needed) continue;
    full = std::wstring(longer.data(), got) + full.substr(split);
    break;
  }
#endif
  return true;
}

PathRefusal RefusePath(const std::wstring& path) {
  PathRefusal refusal;
  std::wstring full, folder;
  if (!FullPath(path, full) || !FullPath(L".", folder)) {
    refusal.unresolved = true;
    return refusal;
  }
  refusal.programFile = ProgramFileReached(full, folder);
  refusal.device = DeviceAt(full);
  return refusal;
}

BesideFile OpenBeside(const std::wstring& path, DiskCause& cause) {
  BesideFile beside;
  beside.temporary = path + L".tmp";
  for (int n = 2; Exists(beside.temporary) && n < 100; ++n) {
    beside.temporary = path + L"." + std::to_wstring(n) + L".tmp";
  }
  // Every name taken: none is written over.
  if (Exists(beside.temporary)) {
    beside.temporariesTaken = true;
    return beside;
  }
  ClearRuntimeError();
  beside.file = OpenForWriting(beside.temporary);
  if (!beside.file) cause = DiskCauseOfRuntimeError();
  return beside;
}

bool PutInPlace(BesideFile& beside, const std::wstring& path, bool written, DiskCause& cause) {
  bool ok = written && std::fflush(beside.file) == 0 && Sync(beside.file);
  ok = std::fclose(beside.file) == 0 && ok;
  beside.file = nullptr;
  if (!ok) cause = DiskCauseOfRuntimeError();
  if (ok && !Replace(beside.temporary, path)) {
    ok = false;
    cause = ReplaceFailure();
  }
  if (!ok) Remove(beside.temporary);
  return ok;
}

bool WriteWholeAt(const std::wstring& path, const std::string& bytes, DiskCause& cause) {
  BesideFile beside = OpenBeside(path, cause);
  if (!beside.file) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), beside.file) == bytes.size();
  return PutInPlace(beside, path, written, cause);
}

bool MakeFolderAt(const std::wstring& path, DiskCause& cause) {
  if (IsFolder(path)) return true;
  ClearRuntimeError();
  if (MakeFolder(path) || IsFolder(path)) return true;
  cause = FolderFailure();
  return false;
}
