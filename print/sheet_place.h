// Where the page's 80-column sheet falls on a sheet of paper: one layout for
// the drawn page and the PDF, in whatever unit the paper is measured.
#pragma once

// A paper and the part of it a device can print on, in one unit (device
// pixels, PDF points) with `perInchX`/`perInchY` of it to the inch. A width
// or height of 0: not known, the printable area taken for the paper.
struct Paper {
  double width = 0, height = 0;
  double areaLeft = 0, areaTop = 0, areaWidth = 0, areaHeight = 0;
  double perInchX = 0, perInchY = 0;
};

// The grid's first column's left edge and first row's top, from the
// printable area's origin, and the size of one cell.
struct GridPlace {
  double left = 0, top = 0, column = 0, row = 0;
};

// The sheet's 80 columns at 10 to the inch and `rows` rows at 6 to the inch,
// centred across the paper, at least 10 mm from every edge of the paper and
// inside the printable area, scaled down evenly only where that room is
// narrower or shorter. A longer line runs into the margin.
GridPlace PlaceSheet(const Paper& paper, int rows);
