// Decoding and encoding text files by hand, so that no system code page
// decides what a letter in them is.
#include "common/text_file.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <type_traits>

#include "common/windows1252.h"

namespace {

// One character into `out`, as two UTF-16 units where wchar_t is 16 bits.
void Append(std::wstring& out, uint32_t character) {
#if WCHAR_MAX > 0xFFFF
  out += static_cast<wchar_t>(character);
#else
  if (character > 0xFFFF) {
    character -= 0x10000;
    out += static_cast<wchar_t>(0xD800 + (character >> 10));
    out += static_cast<wchar_t>(0xDC00 + (character & 0x3FF));
  } else {
    out += static_cast<wchar_t>(character);
  }
#endif
}

// UTF-8 from `at`; false at the first byte that breaks its rules.
bool DecodeUtf8(const std::string& bytes, std::size_t at, std::wstring& out) {
  while (at < bytes.size()) {
    auto lead = static_cast<unsigned char>(bytes[at]);
    int more = lead < 0x80 ? 0 : lead >= 0xC2 && lead < 0xE0 ? 1 : lead >= 0xE0 && lead < 0xF0 ? 2
                         : lead >= 0xF0 && lead < 0xF5 ? 3 : -1;
    if (more < 0 || at + static_cast<std::size_t>(more) >= bytes.size()) return false;
    uint32_t character = more == 0 ? lead : lead & (0x3F >> more);
    for (int i = 1; i <= more; ++i) {
      auto next = static_cast<unsigned char>(bytes[at + i]);
      if ((next & 0xC0) != 0x80) return false;
      character = (character << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and numbers past Unicode are no UTF-8.
    const uint32_t least[] = {0, 0x80, 0x800, 0x10000};
    if (character < least[more] || (character >= 0xD800 && character <= 0xDFFF) ||
        character > 0x10FFFF) {
      return false;
    }
    Append(out, character);
    at += static_cast<std::size_t>(more) + 1;
  }
  return true;
}

std::wstring DecodeUtf16(const std::string& bytes, bool bigEndian, std::size_t start) {
  std::wstring out;
  for (std::size_t at = start; at + 1 < bytes.size(); at += 2) {
    auto first = static_cast<unsigned char>(bytes[at]);
    auto second = static_cast<unsigned char>(bytes[at + 1]);
    out += static_cast<wchar_t>(bigEndian ? first << 8 | second : second << 8 | first);
  }
  return out;
}

bool StartsWith(const std::string& bytes, const char* mark) {
  return bytes.compare(0, std::char_traits<char>::length(mark), mark) == 0;
}

}  // namespace

std::wstring DecodeTextFile(const std::string& bytes) {
  if (StartsWith(bytes, "\xFF\xFE")) return DecodeUtf16(bytes, false, 2);
  if (StartsWith(bytes, "\xFE\xFF")) return DecodeUtf16(bytes, true, 2);
  // UTF-16 without its mark holds a zero in the high half of every plain
  // letter: in the second byte of most pairs for little-endian, the first
  // for big-endian. A stray zero (the zero-filled end a crash can leave)
  // is no such sign: 8-bit text holds none, and it is dropped.
  std::size_t zeros[2] = {0, 0};
  for (std::size_t at = 0; at < bytes.size(); ++at) zeros[at % 2] += bytes[at] == '\0';
  std::size_t pairs = bytes.size() / 2;
  if (bytes.size() % 2 == 0 && pairs > 0) {
    if (zeros[1] * 2 >= pairs && zeros[0] * 8 < pairs) return DecodeUtf16(bytes, false, 0);
    if (zeros[0] * 2 >= pairs && zeros[1] * 8 < pairs) return DecodeUtf16(bytes, true, 0);
  }
  std::string text8 = bytes.substr(StartsWith(bytes, "\xEF\xBB\xBF") ? 3 : 0);
  text8.erase(std::remove(text8.begin(), text8.end(), '\0'), text8.end());
  std::wstring text;
  if (DecodeUtf8(text8, 0, text)) return text;
  return Widen(text8);
}

void AppendUtf8(std::string& out, uint32_t character) {
  if (character < 0x80) {
    out += static_cast<char>(character);
    return;
  }
  int more = character < 0x800 ? 1 : character < 0x10000 ? 2 : 3;
  const unsigned lead[] = {0, 0xC0, 0xE0, 0xF0};
  out += static_cast<char>(lead[more] | (character >> (6 * more)));
  for (int shift = 6 * (more - 1); shift >= 0; shift -= 6) {
    out += static_cast<char>(0x80 | ((character >> shift) & 0x3F));
  }
}

std::string Utf8Text(const std::wstring& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto character = static_cast<uint32_t>(static_cast<std::make_unsigned_t<wchar_t>>(text[i]));
    // Where wchar_t is 16 bits, a character beyond them comes as a pair.
    if (character >= 0xD800 && character < 0xDC00 && i + 1 < text.size()) {
      auto low = static_cast<uint32_t>(static_cast<std::make_unsigned_t<wchar_t>>(text[i + 1]));
      if (low >= 0xDC00 && low < 0xE000) {
        character = 0x10000 + ((character - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    AppendUtf8(out, character);
  }
  return out;
}

std::string Utf16FileBytes(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t unit : text) {
    auto character = static_cast<uint32_t>(static_cast<std::make_unsigned_t<wchar_t>>(unit));
    if (character > 0xFFFF) {
      character -= 0x10000;
      uint32_t high = 0xD800 + (character >> 10), low = 0xDC00 + (character & 0x3FF);
      bytes += {static_cast<char>(high & 0xFF), static_cast<char>(high >> 8),
                static_cast<char>(low & 0xFF), static_cast<char>(low >> 8)};
    } else {
      bytes += {static_cast<char>(character & 0xFF), static_cast<char>(character >> 8)};
    }
  }
  return bytes;
}
