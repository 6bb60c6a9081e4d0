// The claim on the working folder: presupuestos.lck joined through the
// store, and a mutex named after the folder's identity for this PC.
#include "app/single_instance.h"

#include <cstdint>
#include <cwchar>

#include <windows.h>

#include "store/disk.h"
#include "store/folder_lock.h"

namespace {

// Whether another copy on this PC (in this session) runs on the folder. The
// mutex is never closed: the system lets go of it when the process ends.
bool RunningHereAlready() {
  uint64_t volume = 0, file = 0;
  if (!DiskIdentity(".", volume, file)) return false;
  wchar_t name[64];
  std::swprintf(name, 64, L"Local\\Presupuestos.%llx.%llx", static_cast<unsigned long long>(volume),
                static_cast<unsigned long long>(file));
  HANDLE mutex = CreateMutexW(nullptr, FALSE, name);
  return mutex && GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace

FolderClaim ClaimWorkingFolder() {
  FolderClaim claim = FolderClaim::Held;
  switch (JoinWorkingFolder()) {
    case FolderShare::Shared:
      break;
    case FolderShare::Alone:
      claim = FolderClaim::Alone;
      break;
    case FolderShare::Unguarded:
      claim = FolderClaim::Unguarded;
      break;
    case FolderShare::HeldByAnother:
      return FolderClaim::HeldByAnother;
    case FolderShare::Unusable:
      return FolderClaim::LockUnusable;
  }
  return RunningHereAlready() ? FolderClaim::HeldByAnother : claim;
}
