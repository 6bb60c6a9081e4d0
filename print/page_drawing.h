// Drawing the page model on a printer's device context.
#pragma once
#include <windows.h>

#include "print/page_model.h"

// The page at 10 columns and 6 lines to the inch in Courier New, its
// 80-column sheet centred across the paper, scaled down evenly only where
// the printable area is narrower than the sheet or shorter than the page;
// a longer line runs into the margin.
void DrawPage(HDC dc, const PageModel& page);
