// Drawing the page model on a printer's device context.
#pragma once
#include <windows.h>

#include "print/page_model.h"

// The page at 10 columns and 6 lines to the inch in Courier New, placed on
// the paper as PlaceSheet sets out.
void DrawPage(HDC dc, const PageModel& page);
