// The business's data through GetPrivateProfileStringW and
// WritePrivateProfileStringW, on a file kept in UTF-16 and rewritten
// through the disk seam: a copy, synced, renamed over it.
#include "store/company_file.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/text_file.h"
#include "common/windows1252.h"
#include "store/disk.h"
#include "store/file_names.h"
#include "store/folder_lock.h"
#include "store/full_path.h"
#include "store/logo_file.h"

namespace {

const wchar_t kSection[] = L"Empresa";
const wchar_t kChooseEachTime[] = L"Elegir";
const wchar_t kLpt1[] = L"LPT1";

// The file's bytes; false when there is no file or it cannot be read whole.
bool ReadWhole(std::string& bytes) {
  DiskFile* file = DiskOpen(kCompanyFile, DiskMode::Read);
  if (!file) return false;
  int64_t size = DiskSize(file);
  bool read = size >= 0;
  if (read) {
    bytes.assign(static_cast<std::size_t>(size), '\0');
    read = DiskRead(file, bytes.data(), bytes.size()) == bytes.size();
  }
  DiskClose(file);
  return read;
}

bool IsUtf16(const std::string& bytes) {
  return bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') ||
                               (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
}

// Under the store's lock, so that no other copy writes empresa.ini.tmp
// meanwhile, and only where the file still holds the bytes `read`: another
// copy may have saved the business's data since.
bool WriteAsUtf16(const std::string& read) {
  StoreLock lock;
  std::string bytes;
  if (!lock.Taken() || !ReadWhole(bytes) || bytes != read) return false;
  bytes = Utf16FileBytes(DecodeTextFile(read));
  return DiskWriteWhole(kCompanyFile, kNewCompanyFile, bytes.data(), bytes.size());
}

// The profile functions look for a bare file name in the Windows folder.
std::wstring FullPath(const char* name) {
  std::wstring full = FullPathOf(Widen(name));
  return full.empty() ? Widen(name) : full;
}

// A value, or with no key name the section's key names, NUL between them.
std::wstring Profile(const std::wstring& path, const wchar_t* key) {
  std::vector<wchar_t> buffer(256);
  while (true) {
    DWORD length = GetPrivateProfileStringW(kSection, key, L"", buffer.data(),
                                            static_cast<DWORD>(buffer.size()), path.c_str());
    // A full buffer may have cut the text: read again with more room.
    if (length + 2 < buffer.size() || buffer.size() >= 65536) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 4);
  }
}

std::wstring Lowered(const wchar_t* text) {
  std::wstring lowered(text);
  for (wchar_t& c : lowered) c = static_cast<wchar_t>(towlower(c));
  return lowered;
}

std::wstring Trimmed(const std::wstring& text) {
  std::size_t first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return std::wstring();
  return text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

bool IsQuote(wchar_t c) { return c == L'"' || c == L'\''; }

// The profile functions drop the spaces around a value and then one pair of
// like quotes around it; a value that would lose either is quoted.
std::wstring AsProfileValue(const std::wstring& value) {
  bool spaced = !value.empty() && Trimmed(value).size() != value.size();
  bool quoted = !value.empty() && IsQuote(value.front()) && value.back() == value.front();
  return spaced || quoted ? L'"' + value + L'"' : value;
}

// The section's values by lower-case key, read from the decoded text by the
// profile functions' rules (lines end in CR, LF or both; the first section
// of the name and the first of a repeated key count): for a file that
// cannot be rewritten in the form they read.
std::map<std::wstring, std::wstring> SectionValuesOf(const std::wstring& text) {
  std::map<std::wstring, std::wstring> values;
  bool inSection = false, sectionSeen = false;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find_first_of(L"\r\n", start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    if (line.size() >= 2 && line.front() == L'[' && line.back() == L']') {
      bool named = Lowered(Trimmed(line.substr(1, line.size() - 2)).c_str()) == L"empresa";
      inSection = named && !sectionSeen;
      sectionSeen = sectionSeen || named;
      continue;
    }
    std::size_t equals = line.find(L'=');
    if (!inSection || equals == std::wstring::npos) continue;
    std::wstring value = Trimmed(line.substr(equals + 1));
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    values.emplace(Lowered(Trimmed(line.substr(0, equals)).c_str()), value);
  }
  return values;
}

// Bytes no text editor writes: control characters other than tab and the
// line ends (zero bytes are dropped by the decoding).
bool HoldsNoText(const std::wstring& text) {
  return std::any_of(text.begin(), text.end(), [](wchar_t c) {
    return c < 0x20 && c != L'\t' && c != L'\r' && c != L'\n';
  });
}

// A file in an 8-bit form that is no text and has no line of [Empresa]:
// rewritten as UTF-16 it would pass for the business's file.
bool IsDamaged(const std::string& bytes) {
  return !IsUtf16(bytes) && HoldsNoText(DecodeTextFile(bytes)) &&
         SectionValuesOf(DecodeTextFile(bytes)).empty();
}

// Moves a damaged file out of the way under the first free name.
bool SetAside(std::string* setAside) {
  for (int n = 1; n <= 9; ++n) {
    std::string name = kOldCompanyFile + (n > 1 ? std::to_string(n) : std::string());
    if (DiskExists(name.c_str())) continue;
    if (!DiskReplace(kCompanyFile, name.c_str())) return false;
    if (setAside) *setAside = name;
    return true;
  }
  return false;
}

// The section's key names, in lower case: the profile functions match
// names in any case.
std::set<std::wstring> KeyNames(const std::wstring& path) {
  std::set<std::wstring> names;
  std::wstring list = Profile(path, nullptr);
  for (std::size_t start = 0; start < list.size();) {
    std::size_t end = list.find(L'\0', start);
    if (end == std::wstring::npos) end = list.size();
    if (end > start) names.insert(Lowered(list.substr(start, end - start).c_str()));
    start = end + 1;
  }
  return names;
}

struct Line {
  const wchar_t* key;
  std::string CompanyData::*field;
};
const Line kLines[] = {
    {L"Nombre", &CompanyData::name},       {L"Actividad", &CompanyData::activity},
    {L"Direccion", &CompanyData::address}, {L"Telefono", &CompanyData::phone},
    {L"Otros", &CompanyData::other},       {L"IVA", &CompanyData::vatRate},
    {L"Logo", &CompanyData::logo},
};

// Pie1, Pie2, … : the lines under the boxes.
std::wstring FooterKey(std::size_t line) { return L"Pie" + std::to_wstring(line + 1); }

}  // namespace

CompanyRead ConvertAndReadCompanyFile() {
  CompanyRead read;
  std::string bytes;
  DiskClearFailure();
  if (!ReadWhole(bytes)) {
    read.unreadable = DiskExists(kCompanyFile);
    read.failure = DiskLastFailure();
    return read;
  }
  std::map<std::wstring, std::wstring> values;
  // The profile functions read a file without its Unicode mark in the
  // system's code page: it is rewritten as UTF-16, or, where that cannot be
  // done (a read-only folder), read here as decoded.
  read.damaged = IsDamaged(bytes);
  if (read.damaged) return read;
  if (!IsUtf16(bytes) && !WriteAsUtf16(bytes)) {
    values = SectionValuesOf(DecodeTextFile(bytes));
  } else {
    std::wstring path = FullPath(kCompanyFile);
    for (const std::wstring& name : KeyNames(path)) values.emplace(name, L"");
    for (auto& [name, value] : values) value = Profile(path, name.c_str());
  }
  for (const Line& line : kLines) {
    auto found = values.find(Lowered(line.key));
    if (found != values.end()) read.data.*line.field = Narrow(found->second);
  }
  for (std::size_t line = 0; line < kFooterLines; ++line) {
    auto found = values.find(Lowered(FooterKey(line).c_str()));
    if (found != values.end()) read.data.footer[line] = Narrow(found->second);
  }
  auto printer = values.find(L"impresora");
  if (printer != values.end()) {
    read.data.choosePrinter = Lowered(printer->second.c_str()) == Lowered(kChooseEachTime);
  }
  read.logoUnreadable = !read.data.logo.empty() && !ReadLogo(read.data.logo, read.data.logoPicture);
  return read;
}

CompanyData ReadCompanyData() { return ConvertAndReadCompanyFile().data; }

bool WriteCompanyData(const CompanyData& company, std::string* setAside) {
  // Every copy builds the file in empresa.ini.tmp: one at a time.
  StoreLock lock;
  if (!lock.Taken()) return false;
  std::string bytes;
  bool found = ReadWhole(bytes);
  if (!found && DiskExists(kCompanyFile)) return false;
  if (found && IsDamaged(bytes)) {
    if (!SetAside(setAside)) return false;
    found = false;
  }
  // The keys go into a copy beside the file, in UTF-16, which is synced and
  // renamed over it only once every key is in: a failure or a crash leaves
  // the file as it was.
  if (!found) {
    bytes = Utf16FileBytes(L"[Empresa]\r\n");
  } else if (!IsUtf16(bytes)) {
    bytes = Utf16FileBytes(DecodeTextFile(bytes));
  }
  DiskFile* copy = DiskOpen(kNewCompanyFile, DiskMode::Create);
  if (!copy) return false;
  bool written = DiskWrite(copy, bytes.data(), bytes.size());
  written = DiskClose(copy) && written;
  std::wstring path = FullPath(kNewCompanyFile);
  for (const Line& line : kLines) {
    written = written && WritePrivateProfileStringW(kSection, line.key,
                                                    AsProfileValue(Widen(company.*line.field)).c_str(),
                                                    path.c_str());
  }
  for (std::size_t line = 0; line < kFooterLines; ++line) {
    written = written && WritePrivateProfileStringW(kSection, FooterKey(line).c_str(),
                                                    AsProfileValue(Widen(company.footer[line])).c_str(),
                                                    path.c_str());
  }
  written = written && WritePrivateProfileStringW(kSection, L"Impresora",
                                                  company.choosePrinter ? kChooseEachTime : kLpt1,
                                                  path.c_str());
  copy = written ? DiskOpen(kNewCompanyFile, DiskMode::Update) : nullptr;
  written = copy && DiskSync(copy);
  if (copy) written = DiskClose(copy) && written;
  if (written && DiskReplace(kNewCompanyFile, kCompanyFile)) return true;
  DiskRemove(kNewCompanyFile);
  return false;
}
