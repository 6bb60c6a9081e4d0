// Drawing the page model on a printer's device context.
#pragma once
#include <windows.h>

#include "print/page_model.h"

// The page at 10 columns and 6 lines to the inch in Courier New, centred
// across the paper, scaled down evenly only where the printable area is
// smaller than the page's widest line or its height.
void DrawPage(HDC dc, const PageModel& page);
