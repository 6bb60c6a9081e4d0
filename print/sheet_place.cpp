// The sheet's place on the paper: the margins most printers need, the sheet
// kept whole by scaling it rather than cutting it.
#include "print/sheet_place.h"

#include <algorithm>

namespace {

// The sheet's width: a longer line (a wide total or header) runs into the
// margin rather than shrinking and shifting the whole page.
constexpr int kSheetColumns = 80;
// Many printers cannot print nearer the paper's edge than this.
constexpr double kMarginInches = 10 / 25.4;

}  // namespace

GridPlace PlaceSheet(const Paper& paper, int rows) {
  double paperWidth = paper.width > 0 ? paper.width : paper.areaWidth;
  double paperHeight = paper.height > 0 ? paper.height : paper.areaHeight;
  // The room, in the paper's coordinates: the printable area less what lies
  // within the margin.
  double left = std::max(paper.areaLeft, kMarginInches * paper.perInchX);
  double right = std::min(paper.areaLeft + paper.areaWidth, paperWidth - kMarginInches * paper.perInchX);
  double top = std::max(paper.areaTop, kMarginInches * paper.perInchY);
  double bottom = std::min(paper.areaTop + paper.areaHeight, paperHeight - kMarginInches * paper.perInchY);
  double column = paper.perInchX / 10.0;
  double row = paper.perInchY / 6.0;
  double width = kSheetColumns * column;
  double height = std::max(rows, 1) * row;
  double scale = std::min({1.0, std::max(right - left, 0.0) / width, std::max(bottom - top, 0.0) / height});
  double centred = paperWidth / 2 - width * scale / 2;
  double across = std::clamp(centred, left, std::max(left, right - width * scale));
  return {across - paper.areaLeft, top - paper.areaTop, column * scale, row * scale};
}
