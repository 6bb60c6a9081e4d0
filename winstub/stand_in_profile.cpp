// The stand-in's profile functions: INI files as the system reads and writes
// them, Unicode (UTF-16 little-endian) only where the file begins with its
// byte order mark, one byte a character otherwise.
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "stand_in.h"

namespace {

struct IniFile {
  bool unicode = false;
  std::vector<std::wstring> lines;
};

IniFile Load(const wchar_t* path) {
  IniFile file;
  std::ifstream in(StandInNarrow(path), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::wstring text;
  file.unicode = bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE';
  if (file.unicode) {
    for (std::size_t at = 2; at + 1 < bytes.size(); at += 2) {
      text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[at]) |
                                   static_cast<unsigned char>(bytes[at + 1]) << 8);
    }
  } else {
    for (char byte : bytes) text += static_cast<wchar_t>(static_cast<unsigned char>(byte));
  }
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    file.lines.push_back(line);
    start = end + 1;
  }
  return file;
}

bool Save(const wchar_t* path, const IniFile& file) {
  std::string bytes = file.unicode ? "\xFF\xFE" : "";
  for (const std::wstring& line : file.lines) {
    for (wchar_t c : line + L"\r\n") {
      if (file.unicode) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
      } else {
        bytes += static_cast<char>(c <= 0xFF ? c : '?');
      }
    }
  }
  std::ofstream out(StandInNarrow(path), std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out);
}

std::wstring Trim(const std::wstring& text) {
  std::size_t first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return std::wstring();
  return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

bool SameName(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(a[i]) != std::towlower(b[i])) return false;
  }
  return true;
}

bool IsSection(const std::wstring& line, std::wstring* name) {
  std::wstring trimmed = Trim(line);
  if (trimmed.size() < 2 || trimmed.front() != L'[' || trimmed.back() != L']') return false;
  *name = Trim(trimmed.substr(1, trimmed.size() - 2));
  return true;
}

// Index of the section's header, or -1; `end` is past its last line.
long FindSection(const IniFile& file, const std::wstring& section, std::size_t* end) {
  long header = -1;
  for (std::size_t i = 0; i < file.lines.size(); ++i) {
    std::wstring name;
    if (!IsSection(file.lines[i], &name)) continue;
    if (header >= 0) {
      *end = i;
      return header;
    }
    if (SameName(name, section)) header = static_cast<long>(i);
  }
  *end = file.lines.size();
  return header;
}

bool KeyOf(const std::wstring& line, std::wstring* key, std::wstring* value) {
  std::size_t equals = line.find(L'=');
  if (equals == std::wstring::npos) return false;
  *key = Trim(line.substr(0, equals));
  *value = Trim(line.substr(equals + 1));
  return true;
}

// A value within like quotes is read without them, as the system does.
std::wstring Unquoted(const std::wstring& value) {
  if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0]) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

DWORD CopyOut(const std::wstring& text, LPWSTR buffer, DWORD size, DWORD ending) {
  if (size == 0) return 0;
  DWORD length = static_cast<DWORD>(text.size());
  if (length + ending > size) length = size > ending ? size - ending : 0;
  std::wmemcpy(buffer, text.data(), length);
  for (DWORD i = 0; i < ending && length + i < size; ++i) buffer[length + i] = L'\0';
  return length;
}

}  // namespace

DWORD GetFullPathNameW(LPCWSTR name, DWORD size, LPWSTR buffer, LPWSTR* filePart) {
  char folder[4096];
  std::wstring path = name;
  if (!path.empty() && path[0] != L'/' && getcwd(folder, sizeof folder)) {
    path = StandInWiden(std::string(folder) + "/") + path;
  }
  if (filePart) *filePart = nullptr;
  if (path.size() + 1 > size) return static_cast<DWORD>(path.size() + 1);
  std::wmemcpy(buffer, path.c_str(), path.size() + 1);
  return static_cast<DWORD>(path.size());
}

DWORD GetLongPathNameW(LPCWSTR path, LPWSTR buffer, DWORD size) {
  if (GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) return 0;
  std::wstring whole = path;
  if (!buffer || whole.size() + 1 > size) return static_cast<DWORD>(whole.size() + 1);
  std::wmemcpy(buffer, whole.c_str(), whole.size() + 1);
  return static_cast<DWORD>(whole.size());
}

DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR fallback, LPWSTR buffer,
                               DWORD size, LPCWSTR path) {
  IniFile file = Load(path);
  std::size_t end = 0;
  long header = FindSection(file, section, &end);
  std::wstring names, name, value;
  for (std::size_t i = header < 0 ? end : static_cast<std::size_t>(header) + 1; i < end; ++i) {
    if (!KeyOf(file.lines[i], &name, &value)) continue;
    if (!key) {
      names += name + L'\0';
    } else if (SameName(name, key)) {
      return CopyOut(Unquoted(value), buffer, size, 1);
    }
  }
  // The names end in a NUL each, and the list in one more.
  if (!key) {
    if (names.size() + 1 <= size) return CopyOut(names, buffer, size, 1);
    return CopyOut(names, buffer, size, 2);
  }
  return CopyOut(fallback ? fallback : L"", buffer, size, 1);
}

BOOL WritePrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR path) {
  IniFile file = Load(path);
  std::size_t end = 0;
  long header = FindSection(file, section, &end);
  std::wstring line = std::wstring(key) + L"=" + value;
  if (header < 0) {
    file.lines.push_back(L"[" + std::wstring(section) + L"]");
    file.lines.push_back(line);
    return Save(path, file);
  }
  std::wstring name, old;
  for (std::size_t i = static_cast<std::size_t>(header) + 1; i < end; ++i) {
    if (KeyOf(file.lines[i], &name, &old) && SameName(name, key)) {
      file.lines[i] = line;
      return Save(path, file);
    }
  }
  // After the section's last key, before the blank lines that end it.
  std::size_t at = end;
  while (at > static_cast<std::size_t>(header) + 1 && Trim(file.lines[at - 1]).empty()) --at;
  file.lines.insert(file.lines.begin() + static_cast<long>(at), line);
  return Save(path, file);
}
