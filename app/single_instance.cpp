// The lock on the working folder: one file held open with no sharing for the
// life of the process.
#include "app/single_instance.h"

#include <string>

#include <windows.h>

#include "store/file_names.h"

namespace {

bool HeldByAnotherCopy(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// The lock file's name for the wide calls; it is ASCII.
std::wstring LockName() { return std::wstring(kLockFile, kLockFile + sizeof kLockFile - 1); }

}  // namespace

FolderClaim ClaimWorkingFolder() {
  std::wstring name = LockName();
  // Never closed: the system lets go of it when the process ends.
  HANDLE lock = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (lock != INVALID_HANDLE_VALUE) return FolderClaim::Held;
  DWORD error = GetLastError();
  if (HeldByAnotherCopy(error)) return FolderClaim::HeldByAnother;
  DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return FolderClaim::LockUnusable;
  }
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    // No lock file, and none can be made: a read-only folder or medium,
    // which takes no other file either.
    bool readOnly = error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT;
    return readOnly ? FolderClaim::Unguarded : FolderClaim::LockUnusable;
  }
  // A lock file marked read-only, or one on a read-only medium, still locks
  // when opened for reading alone: no sharing is what excludes the others.
  lock = CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
  if (lock != INVALID_HANDLE_VALUE) return FolderClaim::Held;
  return HeldByAnotherCopy(GetLastError()) ? FolderClaim::HeldByAnother : FolderClaim::LockUnusable;
}
