// Writing the export file: the quotes read in one pass from datos.dat, each
// turned into its row and written in large pieces.
#include "store/quote_export.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <windows.h>

#include "common/csv_text.h"
#include "common/number_text.h"
#include "common/text_file.h"
#include "store/disk.h"
#include "store/file_identity.h"
#include "store/quote_scan.h"
#include "store/store_rules.h"

namespace {

// Rows are gathered and written about this many bytes at a time.
constexpr std::size_t kWriteChunk = std::size_t{256} * 1024;

const char kHeader[][16] = {"N\xFAmero", "Fecha", "Nombre", "Domicilio", "Total", "Texto"};

#ifdef _WIN32
bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
std::FILE* OpenForWriting(const std::wstring& path) { return _wfopen(path.c_str(), L"wb"); }
void Remove(const std::wstring& path) { _wremove(path.c_str()); }
bool Replace(const std::wstring& from, const std::wstring& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
DiskCause ReplaceFailure() { return DiskCauseOfSystemError(GetLastError()); }
void ClearRuntimeError() {
  errno = 0;
  _doserrno = 0;
}
#else
// Native builds (the tests) name files in UTF-8.
std::string Utf8Path(const std::wstring& path) { return Utf8Text(path); }
bool Exists(const std::wstring& path) {
  struct stat seen {};
  return stat(Utf8Path(path).c_str(), &seen) == 0;
}
std::FILE* OpenForWriting(const std::wstring& path) { return std::fopen(Utf8Path(path).c_str(), "wb"); }
void Remove(const std::wstring& path) { std::remove(Utf8Path(path).c_str()); }
bool Replace(const std::wstring& from, const std::wstring& to) {
  return std::rename(Utf8Path(from).c_str(), Utf8Path(to).c_str()) == 0;
}
DiskCause ReplaceFailure() { return DiskCauseOfRuntimeError(); }
void ClearRuntimeError() { errno = 0; }
#endif

// `path` made whole by GetFullPathNameW; on Windows the short (8.3) names in
// it of a file or folder that exists in their long form too, so that
// "PRESUP~1.LCK" names presupuestos.lck. False when it cannot be made whole.
bool FullPath(const std::wstring& path, std::wstring& full) {
  std::vector<wchar_t> buffer(MAX_PATH);
  DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  if (length >= buffer.size()) {
    buffer.resize(length + 1);
    length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  }
  if (length == 0 || length >= buffer.size()) return false;
  full.assign(buffer.data(), length);
#ifdef _WIN32
  // The file where it exists, else its folder.
  for (std::size_t split : {full.size(), full.find_last_of(L"\\/")}) {
    if (split == std::wstring::npos) break;
    std::wstring part = full.substr(0, split);
    DWORD needed = GetLongPathNameW(part.c_str(), nullptr, 0);
    if (needed == 0) continue;
    std::vector<wchar_t> longer(needed);
    DWORD got = GetLongPathNameW(part.c_str(), longer.data(), needed);
    if (got == 0 || got >= needed) continue;
    full = std::wstring(longer.data(), got) + full.substr(split);
    break;
  }
#endif
  return true;
}

void AppendField(std::string& out, const char* field, std::size_t width) {
  out += kCsvSeparator;
  AppendCsvField(out, field, FieldLength(field, width));
}

}  // namespace

void AppendQuoteRow(std::string& out, int32_t number, const QuoteRecord& record) {
  AppendCsvField(out, IntToText(number, 0));
  AppendField(out, record.date, kFieldWidth);
  AppendField(out, record.name, kFieldWidth);
  AppendField(out, record.address, kFieldWidth);
  AppendField(out, record.total, kFieldWidth);
  AppendField(out, record.body, kBodyWidth);
  out += kCsvRecordEnd;
}

ExportResult ExportQuotes(const std::wstring& path, int32_t count,
                          const std::vector<int32_t>* numbers) {
  ExportResult result;
  std::wstring full, folder;
  if (!FullPath(path, full) || !FullPath(L".", folder)) return result;
  result.programFile = ProgramFileReached(full, folder);
  result.device = DeviceAt(full);
  if (!result.programFile.empty() || !result.device.empty()) return result;
  // Written beside the file and renamed over it only once whole, so that a
  // failed export leaves an earlier file of that name as it was. A file the
  // user keeps under that name is left alone: the next free name is taken.
  std::wstring temporary = path + L".tmp";
  for (int n = 2; Exists(temporary) && n < 100; ++n) {
    temporary = path + L"." + std::to_wstring(n) + L".tmp";
  }
  // Every name taken: none is written over.
  if (Exists(temporary)) {
    result.temporariesTaken = true;
    return result;
  }
  ClearRuntimeError();
  std::FILE* file = OpenForWriting(temporary);
  if (!file) {
    result.cause = DiskCauseOfRuntimeError();
    return result;
  }

  std::vector<int32_t> wanted;
  if (numbers) {
    wanted = *numbers;
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
  }
  std::string out = kCsvFileStart;
  for (std::size_t i = 0; i < sizeof kHeader / sizeof kHeader[0]; ++i) {
    if (i > 0) out += kCsvSeparator;
    AppendCsvField(out, kHeader[i]);
  }
  out += kCsvRecordEnd;

  bool ok = true;
  std::size_t next = 0;  // the first wanted number not yet passed
  int32_t read = ScanQuotes(count, [&](int32_t number, const QuoteRecord& record) {
    if (numbers) {
      while (next < wanted.size() && wanted[next] < number) ++next;
      if (next == wanted.size() || wanted[next] != number) return;
    }
    AppendQuoteRow(out, number, record);
    ++result.exported;
    if (out.size() >= kWriteChunk) {
      ok = ok && std::fwrite(out.data(), 1, out.size(), file) == out.size();
      out.clear();
    }
  });
  ok = ok && std::fwrite(out.data(), 1, out.size(), file) == out.size();
  ok = std::fflush(file) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  if (!ok) result.cause = DiskCauseOfRuntimeError();
  if (ok && !Replace(temporary, path)) {
    ok = false;
    result.cause = ReplaceFailure();
  }
  if (!ok) {
    Remove(temporary);
    result.exported = 0;
    return result;
  }
  if (numbers) {
    auto first = std::upper_bound(wanted.begin(), wanted.end(), read);
    result.unreadable = static_cast<int32_t>(std::upper_bound(first, wanted.end(), count) - first);
  } else {
    result.unreadable = count > read ? count - read : 0;
  }
  result.written = true;
  return result;
}
