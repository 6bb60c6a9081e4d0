// Entry point: the date of the day, the lock on the working folder, the
// store's start-up (which finishes a half-done correction, takes back
// missing quotes, counts the launch and may take the backup) with what it
// has to tell or ask, then the main window and its loop; or, with
// /exportar or /pdf, that file alone.
#include <windows.h>
#include <commctrl.h>

#include "app/export_command.h"
#include "app/main_window.h"
#include "app/pdf_command.h"
#include "app/running_copy.h"
#include "app/single_instance.h"
#include "app/startup_boxes.h"
#include "common/number_text.h"
#include "dialogs/window_text.h"
#include "store/start_up.h"

namespace {

// Before the main window: what came back, and the question where quotes
// are still missing, whose answer sets the numbering the window then uses.
void SettleMissingQuotes(const StartUpReport& report) {
  if (!report.folderInPlace.empty()) TellFolderInPlace(report.folderInPlace);
  if (report.correctionFinished || !report.recovered.empty()) TellRecovered(report);
  if (report.firstMissing > report.lastMissing) return;
  // Quotes that may sit in a file that could not be read keep their numbers:
  // numbering after the stored ones is not offered.
  if (!report.unreadSource.empty()) {
    TellSourceUnread(report);
    return;
  }
  if (!AskToNumberAfterStored(report)) return;
  DiskFailure failure;
  if (!ContinueAfterStoredQuotes(&failure)) TellNumberingNotChanged(failure);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  std::wstring exportPath;
  if (ExportRequested(exportPath)) return RunExportCommand(exportPath);
  int32_t pdfNumber = 0;
  std::wstring pdfPath;
  if (PdfRequested(pdfNumber, pdfPath)) return RunPdfCommand(pdfNumber, pdfPath);
  // The manifest's version 6 of the common controls, for every window class
  // the program and its dialogs use.
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  BuildTodayText();
  FolderClaim claim = ClaimWorkingFolder();
  switch (claim) {
    case FolderClaim::HeldByAnother:
      ShowMessage(nullptr, "El programa ya est\xE1 abierto.", "Presupuestos",
                  MB_OK | MB_ICONEXCLAMATION);
      BringRunningCopyForward();
      return 1;
    case FolderClaim::LockUnusable:
      TellLockUnusable();
      return 1;
    case FolderClaim::Held:
    case FolderClaim::Alone:
    case FolderClaim::Unguarded:
      break;
  }
  StartUpReport report;
  bool backupMade = LoadSettings(&report);
  SettleMissingQuotes(report);
  HWND window = OpenMainWindow(instance);
  MarkWindowWithFolder(window);
  // Told once the window is there, so that the box has an owner the user
  // sees.
  // A folder in a file's place, told already, is why nothing else went.
  if (!report.folderInPlace.empty()) {
  } else if (claim == FolderClaim::Alone) {
    TellFolderAlone(window);
  } else if (report.folderReadOnly) {
    TellFolderReadOnly(window);
  } else if (report.settingsUnwritten) {
    TellSettingsUnwritten(window, report.settingsFailure);
  } else if (!backupMade) {
    TellBackupFailed(window, report.backupFailure);
  }

  // In a folder that takes no file every start would be a first one, and
  // the business's data could not be kept anyway.
  // A folder the program has never run in is one whose business has not
  // given its data yet.
  if (report.firstStart && !report.folderReadOnly) OpenCompanyDialog(window);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) == 1) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
