// The PDF folder: a name the customer can be found by, one file per quote,
// written again in place each time it is saved.
#include "store/pdf_folder.h"

#include "common/windows1252.h"
#include "store/chosen_file.h"

namespace {

bool Forbidden(wchar_t c) {
  return c < 0x20 || c == L'<' || c == L'>' || c == L':' || c == L'"' || c == L'/' || c == L'\\' ||
         c == L'|' || c == L'?' || c == L'*';
}

// Letters and digits of Windows-1252: ASCII, and the accented letters
// (from À on, but for × and ÷, and Š, Œ, Ž, š, œ, ž, Ÿ).
bool LetterOrDigit(wchar_t c) {
  if ((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z')) return true;
  if (c >= 0xC0 && c <= 0xFF) return c != 0xD7 && c != 0xF7;
  return c == 0x160 || c == 0x152 || c == 0x17D || c == 0x161 || c == 0x153 || c == 0x17E || c == 0x178;
}

}  // namespace

std::wstring PdfFileName(int32_t number, const std::string& customer) {
  std::wstring name;
  bool letters = false;
  for (wchar_t c : Widen(customer)) {
    if (Forbidden(c)) c = L'_';
    if (c == L' ' && (name.empty() || name.back() == L' ')) continue;
    letters = letters || LetterOrDigit(c);
    name += c;
  }
  // Windows drops a name's trailing dots and spaces; a leading dot hides it.
  while (!name.empty() && (name.back() == L' ' || name.back() == L'.')) name.pop_back();
  while (!name.empty() && (name.front() == L'.' || name.front() == L' ')) name.erase(0, 1);
  std::wstring file = L"Presupuesto " + std::to_wstring(number);
  if (letters && !name.empty()) file += L" - " + name;
  return file + L".pdf";
}

PdfSaved SaveInPdfFolder(const std::wstring& name, const std::string& bytes) {
  PdfSaved saved;
  // Windows takes "/" as "\\"; GetFullPathNameW gives its own form back.
  std::wstring relative = std::wstring(kPdfFolder) + L"/" + name;
  if (!FullPath(relative, saved.path)) saved.path = relative;
  if (!MakeFolderAt(kPdfFolder, saved.cause)) {
    saved.folderMissing = true;
    return saved;
  }
  saved.written = WriteWholeAt(saved.path, bytes, saved.cause);
  return saved;
}
