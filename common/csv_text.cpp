// Writing spreadsheet fields: Windows-1252 bytes to quoted UTF-8.
#include "common/csv_text.h"

#include <cstdint>
#include <string>

#include "common/text_file.h"
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
      wchar_t character = FromWindows1252(byte);
      AppendUtf8(out, static_cast<uint32_t>(std::char_traits<wchar_t>::to_int_type(character)));
    }
  }
  out += '"';
}

void AppendCsvField(std::string& out, const std::string& text) {
  AppendCsvField(out, text.data(), text.size());
}
