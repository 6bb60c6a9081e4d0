// Windows-1252 to and from wide characters, by table, independent of the
// system's code page.
#include "common/windows1252.h"

namespace {
// Bytes 0x80 to 0x9F; every other byte is the character of the same number.
const wchar_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool HighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool LowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
}  // namespace

wchar_t FromWindows1252(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return static_cast<wchar_t>(byte);
}

unsigned char ToWindows1252(wchar_t character) {
  if (character <= 0 || character > 0xFF) {
    for (int i = 0; i < 32; ++i) {
      if (kHighControls[i] == character) return static_cast<unsigned char>(0x80 + i);
    }
    return 0;
  }
  // 0x80 to 0x9F are characters of their own only where the table keeps them.
  unsigned char byte = static_cast<unsigned char>(character);
  return FromWindows1252(byte) == character ? byte : 0;
}

std::wstring Widen(const std::string& text) {
  std::wstring wide;
  wide.reserve(text.size());
  for (char byte : text) wide += FromWindows1252(static_cast<unsigned char>(byte));
  return wide;
}

std::string Narrow(const std::wstring& text, bool* replaced) {
  std::string narrow;
  narrow.reserve(text.size());
  bool any = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char byte = ToWindows1252(text[i]);
    if (byte == 0) {
      any = true;
      byte = '?';
      if (HighSurrogate(text[i]) && i + 1 < text.size() && LowSurrogate(text[i + 1])) ++i;
    }
    narrow += static_cast<char>(byte);
  }
  if (replaced) *replaced = any;
  return narrow;
}
