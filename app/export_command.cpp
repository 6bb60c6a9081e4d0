// The export from the command line, for scripts and scheduled tasks: no
// window, no message box, no lock on the folder; the exit code tells.
#include "app/export_command.h"

#include <vector>

#include "app/command_line.h"
#include "store/disk.h"
#include "store/file_names.h"
#include "store/quote_export.h"
#include "store/quote_scan.h"

bool ExportRequested(std::wstring& path) {
  std::vector<std::wstring> arguments = CommandArguments();
  bool requested = !arguments.empty() && IsSwitch(arguments[0], L"/exportar");
  path = requested && arguments.size() == 2 ? arguments[1] : L"";
  return requested;
}

int RunExportCommand(const std::wstring& path) {
  if (path.empty()) return 1;
  // A folder with neither file is no data folder (a task started in the
  // wrong one): an empty export would pass for the list of quotes.
  if (!DiskExists(kQuoteFile) && !DiskExists(kSettingsFile)) return 1;
  return ExportQuotes(path, StoredQuoteCount()).written ? 0 : 1;
}
