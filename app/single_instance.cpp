// The lock on the working folder: one file held open with no sharing for the
// life of the process.
#include "app/single_instance.h"

#include <windows.h>

namespace {

const wchar_t kLockFileName[] = L"presupuestos.lck";

bool HeldByAnotherCopy(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

}  // namespace

bool ClaimWorkingFolder() {
  // Never closed: the system lets go of it when the process ends.
  HANDLE lock = CreateFileW(kLockFileName, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (lock != INVALID_HANDLE_VALUE) return true;
  if (HeldByAnotherCopy(GetLastError())) return false;
  // A lock file marked read-only, or one on a read-only medium, still locks
  // when opened for reading alone: no sharing is what excludes the others.
  lock = CreateFileW(kLockFileName, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
  return lock != INVALID_HANDLE_VALUE || !HeldByAnotherCopy(GetLastError());
}
