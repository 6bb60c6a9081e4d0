// The letterhead of the drawn page and the PDF, laid out for paper rather
// than read from the dot-matrix printer's codes: the logo's box at the left,
// the business's five lines beside it at one indent, the name larger.
#pragma once
#include <vector>

#include "common/company_data.h"
#include "common/picture.h"
#include "print/page_parts.h"

// The logo's box in columns and rows of the page's grid: 1.8 x 1.17 inches
// at the top left. The lines start two columns after it whether or not
// there is a logo.
constexpr double kLogoLeft = 0, kLogoTop = 5, kLogoWide = 18, kLogoHigh = 7;
constexpr int kLetterheadColumn = 20;

// The five lines as texts, each cut to the room it has on LPT1; a line too
// long for the room to the sheet's right edge is narrowed to fit it.
std::vector<PageText> LetterheadTexts(const CompanyData& company);

// `picture` in the logo's box, as large as fits with its proportions, at
// the box's left and halfway down it; no pixels for no picture.
PageImage PlacedLogo(const Picture& picture);
