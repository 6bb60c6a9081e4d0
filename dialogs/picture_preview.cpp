// The preview as a 24-bit top-down bitmap made from the picture's pixels.
#include "dialogs/picture_preview.h"

#include <cstring>

#include "print/page_drawing.h"

namespace {

HBITMAP MakeBitmap(const Picture& picture) {
  DeviceBitmap pixels = DeviceBitmapOf(picture.wide, picture.high, picture.rgb);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &pixels.info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) std::memcpy(bits, pixels.bits.data(), pixels.bits.size());
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
