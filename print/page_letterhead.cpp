// The drawn page's letterhead: rows and sizes chosen for paper, the same
// texts as the dot-matrix letterhead prints.
#include "print/page_letterhead.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "print/letterhead.h"
#include "print/sheet_text.h"

namespace {

constexpr int kSheetColumns = 80;
constexpr double kNameSize = 1.5;  // columns and rows a letter of the name takes

struct Line {
  const std::string CompanyData::*text;
  std::size_t room;
  double size;
  int row;
  bool bold, italic;
};
const Line kLines[] = {
    {&CompanyData::name, kNameRoom, kNameSize, 5, true, false},
    {&CompanyData::activity, kActivityRoom, 1, 7, false, true},
    {&CompanyData::address, kAddressRoom, 1, 9, false, false},
    {&CompanyData::phone, kPhoneRoom, 1, 10, false, false},
    {&CompanyData::other, kOtherRoom, 1, 11, false, false},
};

std::wstring Trimmed(const std::wstring& text) {
  std::size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring::npos) return std::wstring();
  return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

}  // namespace

std::vector<PageText> LetterheadTexts(const CompanyData& company) {
  std::vector<PageText> texts;
  for (const Line& line : kLines) {
    std::wstring text = Trimmed(Typed((company.*line.text).substr(0, line.room)).shown);
    if (text.empty()) continue;
    PageText placed;
    placed.row = line.row;
    placed.column = kLetterheadColumn;
    placed.text = text;
    double room = kSheetColumns - kLetterheadColumn;
    placed.width = std::min(line.size, room / static_cast<double>(text.size()));
    placed.height = line.size;
    placed.bold = line.bold;
    placed.italic = line.italic;
    texts.push_back(placed);
  }
  return texts;
}

PageImage PlacedLogo(const Picture& picture) {
  PageImage logo;
  if (IsEmpty(picture)) return logo;
  // Fitted in inches: a column is a tenth of one, a row a sixth.
  double wide = 0, high = 0;
  FitInside(picture.wide, picture.high, kLogoWide / 10, kLogoHigh / 6, wide, high);
  logo.width = wide * 10;
  logo.height = high * 6;
  logo.left = kLogoLeft;
  logo.top = kLogoTop + (kLogoHigh - logo.height) / 2;
  logo.pixelsWide = picture.wide;
  logo.pixelsHigh = picture.high;
  logo.rgb = picture.rgb;
  return logo;
}
