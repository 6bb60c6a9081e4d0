// The preview as a 24-bit top-down bitmap made from the picture's pixels.
#include "dialogs/picture_preview.h"

#include <cstddef>
#include <cstring>

namespace {

HBITMAP MakeBitmap(const Picture& picture) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.wide;
  info.bmiHeader.biHeight = -picture.high;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return bitmap;
  std::size_t stride = (static_cast<std::size_t>(picture.wide) * 3 + 3) / 4 * 4;
  auto* rows = static_cast<unsigned char*>(bits);
  for (int y = 0; y < picture.high; ++y) {
    for (int x = 0; x < picture.wide; ++x) {
      const unsigned char* from = &picture.rgb[(static_cast<std::size_t>(y) * picture.wide + x) * 3];
      unsigned char* to = rows + stride * y + static_cast<std::size_t>(x) * 3;
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
    }
  }
  return bitmap;
}

}  // namespace

void ShowPicture(HWND dialog, int id, const Picture& picture) {
  HBITMAP bitmap = nullptr;
  if (!IsEmpty(picture)) {
    RECT room{};
    GetClientRect(GetDlgItem(dialog, id), &room);
    bitmap = MakeBitmap(ShrunkToFit(picture, room.right - room.left, room.bottom - room.top));
  }
  auto previous = reinterpret_cast<HBITMAP>(SendDlgItemMessageW(
      dialog, id, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
  if (previous) DeleteObject(previous);
}
