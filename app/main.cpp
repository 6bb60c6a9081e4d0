// Entry point: the date of the day, the settings load (which counts the
// launch and may take the backup), then the main window and its loop.
#include <windows.h>

#include "app/main_window.h"
#include "app/single_instance.h"
#include "common/number_text.h"
#include "dialogs/window_text.h"
#include "store/settings.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  BuildTodayText();
  if (!ClaimWorkingFolder()) {
    ShowMessage(nullptr, "El programa ya est\xE1 abierto.", "Presupuestos",
                MB_OK | MB_ICONEXCLAMATION);
    return 1;
  }
  // A folder the program has never run in is one whose business has not
  // given its data yet.
  bool firstStart = !SettingsFileExists();
  bool backupMade = LoadSettings();
  HWND window = OpenMainWindow(instance);
  // Told once the window is there, so that the box has an owner the user
  // sees; the next due launch tries again.
  if (!backupMade) {
    ShowMessage(window,
                "No se ha podido hacer la copia de seguridad de los datos. Se intentar\xE1 de "
                "nuevo dentro de cinco arranques.",
                "Presupuestos", MB_OK | MB_ICONEXCLAMATION);
  }

  if (firstStart) OpenCompanyDialog(window);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) == 1) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
