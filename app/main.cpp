// Entry point: the date of the day, the settings load (which counts the
// launch and may take the backup), then the main window and its loop.
#include <windows.h>

#include "app/main_window.h"
#include "app/single_instance.h"
#include "common/number_text.h"
#include "store/settings.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  BuildTodayText();
  if (!ClaimWorkingFolder()) {
    MessageBoxA(nullptr, "El programa ya est\xE1 abierto.", kMainWindowTitle,
                MB_OK | MB_ICONEXCLAMATION);
    return 1;
  }
  LoadSettings();
  OpenMainWindow(instance);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) == 1) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
