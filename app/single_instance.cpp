// One named mutex per working folder: the system frees it when the copy that
// holds it ends, however it ends.
#include "app/single_instance.h"

#include <windows.h>

#include <cctype>
#include <cstdint>
#include <cstdio>

bool ClaimWorkingFolder() {
  char folder[1024] = "";
  DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
  if (length == 0 || length >= sizeof folder) folder[0] = '\0';
  // Folder names on Windows ignore case; the name of the mutex must not hold
  // backslashes, so the folder goes in as a hash.
  uint32_t hash = 2166136261u;
  for (const char* c = folder; *c; ++c) {
    hash ^= static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(*c)));
    hash *= 16777619u;
  }
  char name[64];
  std::snprintf(name, sizeof name, "Local\\Presupuestos-%08lx", static_cast<unsigned long>(hash));
  HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
  return mutex != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
}
