// What of a pasted text the quote's fields take: a one-line field its
// characters, the body the sheet's 24 rows and its 1799 characters.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/paste_fit.h"

namespace {

// `count` lines "linea 1", "linea 2"... joined by `breakText`.
std::wstring Lines(int count, const std::wstring& breakText = L"\r\n") {
  std::wstring text;
  for (int i = 1; i <= count; ++i) text += (i > 1 ? breakText : L"") + L"linea " + std::to_wstring(i);
  return text;
}

TEST(PasteFit, OneLineFieldsTakeTheirFirstLineUpToTheRoomLeft) {
  struct Case {
    std::wstring pasted;
    std::size_t room;
    std::wstring taken;
    bool cut;
  } cases[] = {
      {L"Comunidad de Propietarios San Fernando n\u00BA 18", 39,
       L"Comunidad de Propietarios San Fernando ", true},
      {L"20/11/2025", 39, L"20/11/2025", false},
      {L"Pe\u00F1a\r\nsegunda", 39, L"Pe\u00F1a", false},
      {L"abc\ndef", 2, L"ab", true},
      {L"abc", 0, L"", true},
      {L"", 5, L"", false},
  };
  for (const Case& c : cases) {
    PasteFit fit = FitOneLine(c.pasted, c.room);
    EXPECT_EQ(fit.taken, c.taken);
    EXPECT_EQ(fit.cut, c.cut);
  }
}

TEST(PasteFit, TheBodyTakesTheRowsTheSheetPrints) {
  std::wstring longLine(100, L'x');  // two rows: 76 and 24
  struct Case {
    const char* what;
    std::wstring before, pasted, after;
    std::wstring taken;
    bool cut;
  } cases[] = {
      {"24 lines fit", L"", Lines(24), L"", Lines(24), false},
      {"lone LFs become CR LF", L"", Lines(24, L"\n"), L"", Lines(24), false},
      {"the 25th line is left out, with the break before it", L"", Lines(25), L"", Lines(24), true},
      {"a 24th row that is empty does not fit after 24 lines", L"", Lines(24) + L"\r\n", L"",
       Lines(24), true},
      {"rows already taken count", L"uno\r\ndos\r\n", Lines(25), L"", Lines(22), true},
      {"and those after the caret", L"", Lines(25), L"\r\nfin", Lines(23), true},
      {"wrapped lines take two rows", L"",
       longLine + L"\r\n" + longLine + L"\r\n" + Lines(21), L"",
       longLine + L"\r\n" + longLine + L"\r\n" + Lines(20), true},
      {"the characters a body stores", L"", std::wstring(2000, L'a'), L"",
       std::wstring(1799, L'a'), true},
      {"a full body takes nothing", Lines(24), L"\r\nmas", L"", L"", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PasteFit fit = FitBody(c.before, c.pasted, c.after, 1799, 24);
    EXPECT_EQ(fit.taken, c.taken);
    EXPECT_EQ(fit.cut, c.cut);
  }
}

}  // namespace
