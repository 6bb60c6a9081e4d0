// The thin GDI side of the drawn page: every position comes from the page
// model's grid, every character is real text with its exact advance, so
// that the page's text can be read back from a PDF.
#include "print/page_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// Where the page's grid falls on the device, in device pixels.
struct Grid {
  double left, top, column, row;
};

int Round(double value) { return static_cast<int>(std::lround(value)); }

double Across(const Grid& grid, double columns) { return grid.left + columns * grid.column; }
double Down(const Grid& grid, double rows) { return grid.top + rows * grid.row; }

Grid FitGrid(HDC dc, const PageModel& page) {
  double column = GetDeviceCaps(dc, LOGPIXELSX) / 10.0;
  double row = GetDeviceCaps(dc, LOGPIXELSY) / 6.0;
  double areaWidth = GetDeviceCaps(dc, HORZRES);
  double areaHeight = GetDeviceCaps(dc, VERTRES);
  double width = std::max(page.columns, 1) * column;
  double height = std::max(page.rows, 1) * row;
  double scale = std::min({1.0, areaWidth / width, areaHeight / height});
  // The printable area's origin is PHYSICALOFFSETX from the paper's edge.
  int paper = GetDeviceCaps(dc, PHYSICALWIDTH);
  double middle = paper > 0 ? paper / 2.0 - GetDeviceCaps(dc, PHYSICALOFFSETX) : areaWidth / 2;
  double left = std::clamp(middle - width * scale / 2, 0.0, std::max(0.0, areaWidth - width * scale));
  return {left, 0.0, column * scale, row * scale};
}

// Courier New's em is one line high (12 points at 6 lines to the inch), and
// its average width, which the font is made to, is its advance.
HFONT MakeFont(const Grid& grid, const PageText& text) {
  LOGFONTA font{};
  font.lfHeight = -Round(grid.row * text.height);
  font.lfWidth = Round(grid.column * text.width);
  font.lfWeight = text.bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = text.italic ? 1 : 0;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_TT_PRECIS;
  font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  std::strcpy(font.lfFaceName, "Courier New");
  return CreateFontIndirectA(&font);
}

void DrawPageText(HDC dc, const Grid& grid, const PageText& text) {
  HFONT font = MakeFont(grid, text);
  HGDIOBJ previous = SelectObject(dc, font);
  // Each advance from the rounded cell edges, so that no line drifts off
  // the grid the rules are drawn on.
  std::vector<INT> advances(text.text.size());
  for (std::size_t i = 0; i < advances.size(); ++i) {
    double start = text.column + static_cast<double>(i * text.width);
    advances[i] = Round(Across(grid, start + text.width)) - Round(Across(grid, start));
  }
  // The baseline sits a fifth of the characters' height above their bottom.
  int baseline = Round(Down(grid, text.row + 0.8 * text.height));
  ExtTextOutW(dc, Round(Across(grid, text.column)), baseline, 0, nullptr, text.text.c_str(),
              static_cast<UINT>(text.text.size()), advances.data());
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

}  // namespace

void DrawPage(HDC dc, const PageModel& page) {
  Grid grid = FitGrid(dc, page);
  SetTextAlign(dc, TA_LEFT | TA_BASELINE);
  SetBkMode(dc, TRANSPARENT);
  for (const PageText& text : page.texts) DrawPageText(dc, grid, text);
  DrawRules(dc, grid, page.rules);
}
