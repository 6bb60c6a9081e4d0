// Writing spreadsheet fields: Windows-1252 bytes to quoted UTF-8.
#include "common/csv_text.h"

#include <cstdint>
#include <string>

#include "common/windows1252.h"

const char kCsvFileStart[] = "\xEF\xBB\xBF";
const char kCsvSeparator[] = ";";
const char kCsvRecordEnd[] = "\r\n";

namespace {

// A spreadsheet also takes a field starting with a tab or a carriage return
// for a formula, after dropping the blank.
bool StartsAFormula(char first) {
  return first == '=' || first == '+' || first == '-' || first == '@' || first == '\t' ||
         first == '\r';
}

void AppendUtf8(std::string& out, wchar_t character) {
  // Windows-1252 characters all lie in the basic plane: three bytes at most.
  auto code = static_cast<uint32_t>(std::char_traits<wchar_t>::to_int_type(character));
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

void AppendCsvField(std::string& out, const char* text, std::size_t length) {
  out += '"';
  if (length > 0 && StartsAFormula(text[0])) out += '\'';
  for (std::size_t i = 0; i < length; ++i) {
    auto byte = static_cast<unsigned char>(text[i]);
    if (byte == '"') {
      out += "\"\"";
    } else if (byte < 0x80) {
      out += static_cast<char>(byte);
    } else {
      AppendUtf8(out, FromWindows1252(byte));
    }
  }
  out += '"';
}

void AppendCsvField(std::string& out, const std::string& text) {
  AppendCsvField(out, text.data(), text.size());
}
