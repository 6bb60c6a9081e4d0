// The program's own Windows-1252 conversion, held against the C library's.
#include <gtest/gtest.h>

#include <string>

#include "common/windows1252.h"
#include "winstub/stand_in.h"

TEST(Windows1252, EveryByteComesBackAndOtherCharactersAreOneQuestionMark) {
  std::string every;
  for (int byte = 1; byte < 256; ++byte) every += static_cast<char>(byte);
  EXPECT_EQ(Widen(every), StandInWiden(every));
  bool replaced = true;
  EXPECT_EQ(Narrow(Widen(every), &replaced), every);
  EXPECT_FALSE(replaced);

  // A letter of another code page, a pair of surrogates (as Windows gives a
  // character outside the basic plane) and a lone half of one.
  const wchar_t pair[] = {L'a', static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00), L'b',
                          static_cast<wchar_t>(0xDE00), 0};
  EXPECT_EQ(Narrow(pair, &replaced), "a?b?");
  EXPECT_TRUE(replaced);
  EXPECT_EQ(Narrow(L"\u0141\u20AC\u0160\U0001F600", &replaced), "?\x80\x8A?");
}
