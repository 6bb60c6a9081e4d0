// Finds the window of the copy that runs on this working folder by the
// folder's identity, and brings it forward.
#include "app/running_copy.h"

#include <cstdint>

#include "app/main_window.h"
#include "store/disk.h"

namespace {

const wchar_t kVolumeMark[] = L"Presupuestos.Volumen";
const wchar_t kFileMark[] = L"Presupuestos.Archivo";

struct FolderIdentity {
  std::uintptr_t volume = 0;
  std::uintptr_t file = 0;
};

// The folder's own identity, as the mutex of single_instance.cpp is named
// after it: a read-only folder may have no lock file.
bool ReadFolderIdentity(FolderIdentity* identity) {
  uint64_t volume = 0, file = 0;
  if (!DiskIdentity(".", volume, file)) return false;
  identity->volume = static_cast<std::uintptr_t>(volume);
  identity->file = static_cast<std::uintptr_t>(file);
  return true;
}

HANDLE AsMark(std::uintptr_t value) { return reinterpret_cast<HANDLE>(value); }

}  // namespace

void MarkWindowWithFolder(HWND window) {
  FolderIdentity identity;
  if (!window || !ReadFolderIdentity(&identity)) return;
  SetPropW(window, kVolumeMark, AsMark(identity.volume));
  SetPropW(window, kFileMark, AsMark(identity.file));
}

void BringRunningCopyForward() {
  FolderIdentity identity;
  if (!ReadFolderIdentity(&identity)) return;
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, kMainClassName, nullptr)) != nullptr) {
    if (GetPropW(window, kVolumeMark) != AsMark(identity.volume) ||
        GetPropW(window, kFileMark) != AsMark(identity.file)) {
      continue;
    }
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    // The window, with the dialog it owns above it, on top even where the
    // system refuses to hand over the keyboard (its foreground lock) or, as
    // Wine without a window manager, does not restack on activation.
    BringWindowToTop(window);
    SetForegroundWindow(GetLastActivePopup(window));
    return;
  }
}
