// Entry point: the date of the day, the settings load (which counts the
// launch and may take the backup), then the main window and its loop.
#include <windows.h>
#include <commctrl.h>

#include "app/main_window.h"
#include "app/running_copy.h"
#include "app/single_instance.h"
#include "common/number_text.h"
#include "dialogs/window_text.h"
#include "store/settings.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The manifest's version 6 of the common controls, for every window class
  // the program and its dialogs use.
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  BuildTodayText();
  if (!ClaimWorkingFolder()) {
    ShowMessage(nullptr, "El programa ya est\xE1 abierto.", kMainWindowTitle,
                MB_OK | MB_ICONEXCLAMATION);
    BringRunningCopyForward();
    return 1;
  }
  bool backupMade = LoadSettings();
  HWND window = OpenMainWindow(instance);
  MarkWindowWithFolder(window);
  // Told once the window is there, so that the box has an owner the user
  // sees; the next due launch tries again.
  if (!backupMade) {
    ShowMessage(window,
                "No se ha podido hacer la copia de seguridad de los datos. Se intentar\xE1 de "
                "nuevo dentro de cinco arranques.",
                "Presupuestos", MB_OK | MB_ICONEXCLAMATION);
  }

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) == 1) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
