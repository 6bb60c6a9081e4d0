// Decimal texts of numbers, counts with thousands dots and the D/MM/YYYY
// date text.
#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include "common/number_text.h"

TEST(IntToText, PadsCutsAndWritesNothingForZero) {
  EXPECT_EQ(IntToText(7, 2), "07");
  EXPECT_EQ(IntToText(5, 3), "005");
  EXPECT_EQ(IntToText(0, 2), "00");
  EXPECT_EQ(IntToText(2026, 2), "26");
  EXPECT_EQ(IntToText(123, 1), "3");
  EXPECT_EQ(IntToText(7, 0), "7");
  EXPECT_EQ(IntToText(105, 0), "105");
  EXPECT_EQ(IntToText(2026, 0), "2026");
  EXPECT_EQ(IntToText(1000000, 0), "1000000");
  EXPECT_EQ(IntToText(INT32_MAX, 0), "2147483647");
  EXPECT_EQ(IntToText(0, 0), "");
  EXPECT_EQ(IntToText(12, -1), "");
}

TEST(IntToText, NegativeValuesGetASign) {
  EXPECT_EQ(IntToText(-42, 0), "-42");
  EXPECT_EQ(IntToText(INT32_MIN, 0), "-2147483648");
}

TEST(CountText, DotsBetweenEachThreeDigits) {
  const std::pair<int64_t, const char*> rows[] = {
      {0, "0"},
      {999, "999"},
      {1000, "1.000"},
      {3000, "3.000"},
      {100000, "100.000"},
      {1000000, "1.000.000"},
      {1094795585, "1.094.795.585"},
      {INT64_MAX, "9.223.372.036.854.775.807"},
      {-1234, "-1.234"},
      {INT64_MIN, "-9.223.372.036.854.775.808"},
  };
  for (const auto& [count, text] : rows) EXPECT_EQ(CountText(count), text) << count;
}

TEST(DateText, DayUnpaddedMonthTwoDigitsYearFour) {
  auto date = [](int day, int month, int year) {
    std::tm local{};
    local.tm_mday = day;
    local.tm_mon = month - 1;
    local.tm_year = year - 1900;
    return DateText(&local);
  };
  EXPECT_EQ(date(6, 12, 2026), "6/12/2026");
  EXPECT_EQ(date(5, 3, 2026), "5/03/2026");
  EXPECT_EQ(date(25, 1, 2027), "25/01/2027");
  EXPECT_EQ(date(31, 10, 2026), "31/10/2026");
  // No usable date from the platform: still a date text of the same form.
  EXPECT_EQ(DateText(nullptr), "1/01/2000");
  EXPECT_EQ(date(1, 1, 10000), "1/01/2000");
}

TEST(DateText, TodayHasTheForm) {
  BuildTodayText();
  ASSERT_GE(TodayText.size(), 9u);
  ASSERT_LE(TodayText.size(), 10u);
  EXPECT_EQ(TodayText[TodayText.size() - 5], '/');
  EXPECT_EQ(TodayText[TodayText.size() - 8], '/');
}
