// The export from the command line, for scripts and scheduled tasks: no
// window, no message box, no lock on the folder; the exit code tells.
#include "app/export_command.h"

#include <windows.h>
#include <shellapi.h>

#include "store/disk.h"
#include "store/file_names.h"
#include "store/quote_export.h"
#include "store/quote_scan.h"

namespace {

bool IsExportSwitch(const wchar_t* argument) {
  const wchar_t expected[] = L"/exportar";
  for (int i = 0; expected[i] != L'\0'; ++i) {
    wchar_t c = argument[i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
    if (c != expected[i]) return false;
  }
  return argument[sizeof expected / sizeof expected[0] - 1] == L'\0';
}

}  // namespace

bool ExportRequested(std::wstring& path) {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments) return false;
  bool requested = count >= 2 && IsExportSwitch(arguments[1]);
  path = requested && count == 3 ? arguments[2] : L"";
  LocalFree(reinterpret_cast<HLOCAL>(arguments));
  return requested;
}

int RunExportCommand(const std::wstring& path) {
  if (path.empty()) return 1;
  // A folder with neither file is no data folder (a task started in the
  // wrong one): an empty export would pass for the list of quotes.
  if (!DiskExists(kQuoteFile) && !DiskExists(kSettingsFile)) return 1;
  return ExportQuotes(path, StoredQuoteCount()).written ? 0 : 1;
}
