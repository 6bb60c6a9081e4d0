// What of a pasted text the body takes: the sheet's 24 rows, counted with
// the text before and after the caret, and its 1799 characters.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/paste_fit.h"

namespace {

// Lines "l1", "l2"... up to `count`, each ended by `end` but the last.
std::wstring Lines(int count, const std::wstring& end = L"\r\n") {
  std::wstring text;
  for (int i = 1; i <= count; ++i) text += (i > 1 ? end : L"") + L"l" + std::to_wstring(i);
  return text;
}

TEST(PasteFit, TheBodyTakesTheRowsTheSheetPrints) {
  std::wstring wraps = std::wstring(100, L'x') + L"\r\n";  // two rows: 76 and 24
  struct Case {
    std::wstring before, pasted, after, taken;
    bool cut;
  } cases[] = {
      {L"", Lines(24, L"\n"), L"", Lines(24), false},  // lone LFs become CR LF
      {L"", Lines(25), L"", Lines(24), true},          // the break before l25 goes too
      {L"", Lines(24) + L"\r\n", L"", Lines(24), true},  // an empty 25th row does not fit
      {L"a\r\nb\r\n", Lines(25), L"", Lines(22), true},
      {L"", Lines(25), L"\r\nfin", Lines(23), true},
      {L"", wraps + wraps + Lines(21), L"", wraps + wraps + Lines(20), true},
      {L"", std::wstring(2000, L'a'), L"", std::wstring(1799, L'a'), true},
      {Lines(24), L"\r\nmas", L"", L"", true},
  };
  for (const Case& c : cases) {
    PasteFit fit = FitBody(c.before, c.pasted, c.after, 1799, 24);
    EXPECT_EQ(fit.taken, c.taken) << fit.taken.size();
    EXPECT_EQ(fit.cut, c.cut);
  }
}

}  // namespace
