// Drawing the page model on a printer's device context, and pixels as a
// device takes them (the logo on the page and in its preview).
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "print/page_model.h"

// The page at 10 columns and 6 lines to the inch in Courier New, placed on
// the paper as PlaceSheet sets out.
void DrawPage(HDC dc, const PageModel& page);

// Pixels as a device takes them: a top-down 24-bit DIB, each pixel blue,
// green, red, each row padded to four bytes.
struct DeviceBitmap {
  BITMAPINFO info{};
  std::vector<BYTE> bits;
};

// The DIB of `wide` x `high` pixels, 8-bit RGB, rows from the top (at least
// wide * high * 3 bytes of `rgb`).
DeviceBitmap DeviceBitmapOf(int wide, int high, const std::vector<std::uint8_t>& rgb);
