// The thin GDI side of the drawn page: every position from the model's grid,
// every character real text with its exact advance, readable back from a PDF.
#include "print/page_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cwchar>
#include <vector>

#include "print/sheet_place.h"

namespace {

// Where the page's grid falls on the device, in device pixels.
struct Grid {
  double left, top, column, row;
};

int Round(double value) { return static_cast<int>(std::lround(value)); }

double Across(const Grid& grid, double columns) { return grid.left + columns * grid.column; }
double Down(const Grid& grid, double rows) { return grid.top + rows * grid.row; }

// The device's paper and printable area, in its pixels.
Grid FitGrid(HDC dc, const PageModel& page) {
  Paper paper;
  paper.width = GetDeviceCaps(dc, PHYSICALWIDTH);
  paper.height = GetDeviceCaps(dc, PHYSICALHEIGHT);
  paper.areaLeft = GetDeviceCaps(dc, PHYSICALOFFSETX);
  paper.areaTop = GetDeviceCaps(dc, PHYSICALOFFSETY);
  paper.areaWidth = GetDeviceCaps(dc, HORZRES);
  paper.areaHeight = GetDeviceCaps(dc, VERTRES);
  paper.perInchX = GetDeviceCaps(dc, LOGPIXELSX);
  paper.perInchY = GetDeviceCaps(dc, LOGPIXELSY);
  GridPlace place = PlaceSheet(paper, page.rows);
  return {place.left, place.top, place.column, place.row};
}

// The selected face's advance across, in device units. It is measured, not
// derived from the em: a device whose two resolutions differ (360 x 180
// dpi) widens the face itself.
double Advance(HDC dc) {
  const wchar_t sample[] = L"MMMMMMMMMM";
  SIZE size{};
  if (!GetTextExtentPoint32W(dc, sample, 10, &size) || size.cx <= 0) return 0;
  return size.cx / 10.0;
}

HFONT MakeFont(const Grid& grid, const PageText& text) {
  LOGFONTW font{};
  font.lfHeight = -Round(grid.row * text.height);
  font.lfWeight = text.bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = text.italic ? 1 : 0;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_TT_PRECIS;
  font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  std::wcscpy(font.lfFaceName, L"Courier New");
  return CreateFontIndirectW(&font);
}

void DrawPageText(HDC dc, const Grid& grid, const PageText& text) {
  HFONT font = MakeFont(grid, text);
  HGDIOBJ previous = SelectObject(dc, font);
  // Every character is stretched across to its cell's width: double height
  // alone, or double width alone, changes the characters' proportions, and
  // printer drivers need not honour a font's own width (the PostScript
  // driver under Wine does not), so the world transform does it, from the
  // text's first column.
  int left = Round(Across(grid, text.column));
  double advance = Advance(dc);
  double stretch = advance > 0 ? grid.column * text.width / advance : 1.0;
  XFORM across{static_cast<FLOAT>(stretch), 0, 0, 1, static_cast<FLOAT>(left), 0};
  SetWorldTransform(dc, &across);
  // Each advance from the rounded cell edges, so that no line drifts off
  // the grid the rules are drawn on.
  std::vector<INT> advances(text.text.size());
  auto edge = [&](std::size_t cell) {
    double device = Round(Across(grid, text.column + static_cast<double>(cell) * text.width));
    return Round((device - left) / stretch);
  };
  for (std::size_t i = 0; i < advances.size(); ++i) advances[i] = edge(i + 1) - edge(i);
  // The baseline sits a fifth of the characters' height above their bottom.
  int baseline = Round(Down(grid, text.row + 0.8 * text.height));
  ExtTextOutW(dc, 0, baseline, 0, nullptr, text.text.c_str(), static_cast<UINT>(text.text.size()),
              advances.data());
  ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
  SelectObject(dc, previous);
  DeleteObject(font);
}

void DrawRules(HDC dc, const Grid& grid, const std::vector<PageRule>& rules) {
  // About 0.25 mm, the weight of a dot-matrix rule.
  HPEN pen = CreatePen(PS_SOLID, std::max(1, Round(grid.row / 20)), RGB(0, 0, 0));
  HGDIOBJ previous = SelectObject(dc, pen);
  for (const PageRule& rule : rules) {
    MoveToEx(dc, Round(Across(grid, rule.x1 / 2.0)), Round(Down(grid, rule.y1 / 2.0)), nullptr);
    LineTo(dc, Round(Across(grid, rule.x2 / 2.0)), Round(Down(grid, rule.y2 / 2.0)));
  }
  SelectObject(dc, previous);
  DeleteObject(pen);
}

// The logo in its box, its pixels handed to the device, which scales them.
void DrawLogo(HDC dc, const Grid& grid, const PageImage& logo) {
  if (logo.pixelsWide <= 0 || logo.pixelsHigh <= 0 ||
      logo.rgb.size() < static_cast<std::size_t>(logo.pixelsWide) * logo.pixelsHigh * 3) {
    return;
  }
  DeviceBitmap bitmap = DeviceBitmapOf(logo.pixelsWide, logo.pixelsHigh, logo.rgb);
  int left = Round(Across(grid, logo.left));
  int top = Round(Down(grid, logo.top));
  int right = Round(Across(grid, logo.left + logo.width));
  int bottom = Round(Down(grid, logo.top + logo.height));
  SetStretchBltMode(dc, HALFTONE);
  StretchDIBits(dc, left, top, right - left, bottom - top, 0, 0, logo.pixelsWide,
                logo.pixelsHigh, bitmap.bits.data(), &bitmap.info, DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace

DeviceBitmap DeviceBitmapOf(int wide, int high, const std::vector<std::uint8_t>& rgb) {
  DeviceBitmap bitmap;
  bitmap.info.bmiHeader.biSize = sizeof bitmap.info.bmiHeader;
  bitmap.info.bmiHeader.biWidth = wide;
  bitmap.info.bmiHeader.biHeight = -high;
  bitmap.info.bmiHeader.biPlanes = 1;
  bitmap.info.bmiHeader.biBitCount = 24;
  bitmap.info.bmiHeader.biCompression = BI_RGB;
  std::size_t stride = (static_cast<std::size_t>(wide) * 3 + 3) / 4 * 4;
  bitmap.bits.assign(stride * static_cast<std::size_t>(high), 0);
  for (int y = 0; y < high; ++y) {
    for (int x = 0; x < wide; ++x) {
      const std::uint8_t* from = &rgb[(static_cast<std::size_t>(y) * wide + x) * 3];
      BYTE* to = &bitmap.bits[stride * y + static_cast<std::size_t>(x) * 3];
      to[0] = from[2];
      to[1] = from[1];
      to[2] = from[0];
    }
  }
  return bitmap;
}

void DrawPage(HDC dc, const PageModel& page) {
  Grid grid = FitGrid(dc, page);
  SetGraphicsMode(dc, GM_ADVANCED);
  SetTextAlign(dc, TA_LEFT | TA_BASELINE);
  SetBkMode(dc, TRANSPARENT);
  DrawLogo(dc, grid, page.logo);
  for (const PageText& text : page.texts) DrawPageText(dc, grid, text);
  DrawRules(dc, grid, page.rules);
}
