// The main window's 96-dpi layout fitted to the screen's dots per inch.
#include "app/screen_scale.h"

#include <algorithm>

namespace {

const int kLayoutDpi = 96;

HFONT DialogFont(int dpi) {
  LOGFONTW face = {};
  // The height the dialog manager gives a template's FONT 9.
  face.lfHeight = -MulDiv(9, dpi, 72);
  face.lfWeight = FW_NORMAL;
  face.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(face.lfFaceName, L"Courier New", LF_FACESIZE);
  return CreateFontIndirectW(&face);
}

}  // namespace

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kLayoutDpi;
}

int ToScreen(int pixels, int dpi) { return MulDiv(pixels, dpi, kLayoutDpi); }

void ButtonCell(const TEXTMETRICW& metrics, int dpi, int* width, int* height) {
  *width = std::max(static_cast<int>(metrics.tmAveCharWidth), ToScreen(7, dpi));
  *height = std::max(static_cast<int>(metrics.tmHeight + metrics.tmExternalLeading),
                     ToScreen(16, dpi));
}

HANDLE PictureForScreen(HANDLE bitmap, int dpi) {
  BITMAP size;
  if (!bitmap || dpi == kLayoutDpi || !GetObjectW(bitmap, sizeof size, &size)) return bitmap;
  HANDLE scaled = CopyImage(bitmap, IMAGE_BITMAP, ToScreen(size.bmWidth, dpi),
                            ToScreen(size.bmHeight, dpi), LR_COPYDELETEORG);
  return scaled ? scaled : bitmap;
}

void FitButtonsToScreen(const HWND* buttons, int count, int dpi) {
  // Kept for the life of the program, like the buttons that use it.
  HFONT font = DialogFont(dpi);
  for (int i = 0; i < count; ++i) {
    SendMessageW(buttons[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (dpi == kLayoutDpi) continue;
    RECT place;
    GetWindowRect(buttons[i], &place);
    MapWindowPoints(nullptr, GetParent(buttons[i]), reinterpret_cast<POINT*>(&place), 2);
    SetWindowPos(buttons[i], nullptr, ToScreen(place.left, dpi), ToScreen(place.top, dpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}
