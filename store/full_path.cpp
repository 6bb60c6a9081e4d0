// The whole path through GetFullPathNameW and GetLongPathNameW, each asked
// again with room enough where the first buffer was short.
#include "store/full_path.h"

#include <windows.h>

#include <vector>

std::wstring FullPathOf(const std::wstring& path) {
  std::vector<wchar_t> buffer(MAX_PATH);
  DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  if (length >= buffer.size()) {
    buffer.resize(length + 1);
    length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  }
  if (length == 0 || length >= buffer.size()) return std::wstring();
  std::wstring full(buffer.data(), length);
  // The file where it exists, else its folder.
  for (std::size_t split : {full.size(), full.find_last_of(L"\\/")}) {
    if (split == std::wstring::npos) break;
    std::wstring part = full.substr(0, split);
    DWORD needed = GetLongPathNameW(part.c_str(), nullptr, 0);
    if (needed == 0) continue;
    std::vector<wchar_t> longer(needed);
    DWORD got = GetLongPathNameW(part.c_str(), longer.data(), needed);
    if (got == 0 || got >= needed) continue;
    return std::wstring(longer.data(), got) + full.substr(split);
  }
  return full;
}
