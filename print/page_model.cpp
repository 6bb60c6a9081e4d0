// The drawn page's model: the letterhead laid out for paper, the sheet's
// lines as typed, at the rows and columns they have on LPT1.
#include "print/page_model.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "print/letterhead.h"
#include "print/page_letterhead.h"
#include "print/quote_sheet.h"
#include "print/sheet_text.h"

namespace {

// Which ways a box piece reaches out of its cell.
enum : unsigned { kLeft = 1, kRight = 2, kUp = 4, kDown = 8 };

unsigned ArmsOf(wchar_t piece) {
  switch (piece) {
    case L'\u2500': return kLeft | kRight;
    case L'\u2502': return kUp | kDown;
    case L'\u250C': return kRight | kDown;
    case L'\u2510': return kLeft | kDown;
    case L'\u2514': return kUp | kRight;
    case L'\u2518': return kUp | kLeft;
    case L'\u251C': return kUp | kDown | kRight;
    case L'\u2524': return kUp | kDown | kLeft;
    default: return 0;
  }
}

using Place = std::pair<int, int>;  // row, column
using BoxPieces = std::map<Place, unsigned>;

// Where the next character goes.
struct PrintHead {
  int row = 0, column = 0;
};

struct PageBuilder {
  PageModel page;
  BoxPieces boxes;
  PrintHead head;
};

void AddText(PageBuilder& builder, int column, const std::wstring& text) {
  std::size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring::npos) return;
  std::size_t last = text.find_last_not_of(L' ');
  PageText added;
  added.row = builder.head.row;
  added.column = column + static_cast<int>(first);
  added.text = text.substr(first, last - first + 1);
  builder.page.texts.push_back(added);
}

// Characters at the print position, which moves on past them; box pieces
// become rules, the rest texts split at them.
void Put(PageBuilder& builder, const std::wstring& characters) {
  PrintHead& head = builder.head;
  std::wstring run;
  int runColumn = head.column;
  for (wchar_t character : characters) {
    unsigned arms = ArmsOf(character);
    if (arms != 0) {
      AddText(builder, runColumn, run);
      run.clear();
      builder.boxes[{head.row, head.column}] = arms;
      runColumn = head.column + 1;
    } else {
      run += character;
    }
    ++head.column;
  }
  AddText(builder, runColumn, run);
}

void NewLine(PrintHead& head) {
  ++head.row;
  head.column = 0;
}

// The row the sheet starts on: after every line end LPT1 gets before it.
int SheetRow(const CompanyData& company) {
  int row = 0;
  for (const HeadPiece& piece : JobHead(company)) {
    if (!piece.code) row += static_cast<int>(std::count(piece.text.shown.begin(), piece.text.shown.end(), L'\n'));
  }
  return row;
}

unsigned ArmsAt(const BoxPieces& boxes, Place place) {
  auto found = boxes.find(place);
  return found == boxes.end() ? 0 : found->second;
}

Place Step(Place place, bool across, int by) {
  return across ? Place{place.first, place.second + by} : Place{place.first + by, place.second};
}

// Joins box pieces into straight rules: one line for each run of pieces
// that reach each other, and an arm with nothing to meet ends at its cell's
// edge, as on paper.
void AddRules(const BoxPieces& boxes, bool across, std::vector<PageRule>& rules) {
  unsigned back = across ? kLeft : kUp;
  unsigned ahead = across ? kRight : kDown;
  for (const auto& [start, arms] : boxes) {
    if ((arms & (back | ahead)) == 0) continue;
    if ((arms & back) != 0 && (ArmsAt(boxes, Step(start, across, -1)) & ahead) != 0) continue;
    Place end = start;
    while ((ArmsAt(boxes, end) & ahead) != 0 && (ArmsAt(boxes, Step(end, across, 1)) & back) != 0) {
      end = Step(end, across, 1);
    }
    int from = 2 * (across ? start.second : start.first) + ((arms & back) != 0 ? 0 : 1);
    int to = 2 * (across ? end.second : end.first) + ((ArmsAt(boxes, end) & ahead) != 0 ? 2 : 1);
    int middle = 2 * (across ? start.first : start.second) + 1;
    rules.push_back(across ? PageRule{from, middle, to, middle}
                           : PageRule{middle, from, middle, to});
  }
}

}  // namespace

PageModel QuotePage(const QuoteRecord& quote, int32_t number, const CompanyData& company) {
  PageBuilder builder;
  builder.page.texts = LetterheadTexts(company);
  builder.page.logo = PlacedLogo(company.logoPicture);
  builder.head.row = SheetRow(company);
  for (const SheetText& line : QuoteSheetLines(quote, number, company)) {
    Put(builder, line.shown);
    NewLine(builder.head);
  }

  PageModel& page = builder.page;
  AddRules(builder.boxes, true, page.rules);
  AddRules(builder.boxes, false, page.rules);
  for (const PageText& text : page.texts) {
    double end = text.column + static_cast<double>(text.text.size()) * text.width;
    page.columns = std::max(page.columns, static_cast<int>(std::ceil(end - 1e-9)));
    page.rows = std::max(page.rows, static_cast<int>(std::ceil(text.row + text.height - 1e-9)));
  }
  for (const auto& [place, arms] : builder.boxes) {
    page.rows = std::max(page.rows, place.first + 1);
    page.columns = std::max(page.columns, place.second + 1);
  }
  return page;
}
