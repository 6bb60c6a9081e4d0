// Decimal text of whole numbers and the start-up date text.
#include "common/number_text.h"

std::string TodayText;

std::string IntToText(int32_t value, int32_t width) {
  // Negative numbers never come from the program (days, counts, quote
  // numbers); they are written as a minus sign and the digits of the magnitude.
  int64_t magnitude = value;
  std::string sign;
  if (magnitude < 0) {
    magnitude = -magnitude;
    sign = "-";
  }
  if (width == 0) {
    for (int64_t rest = magnitude; rest != 0; rest /= 10) ++width;
  }
  std::string text;
  for (int32_t i = 0; i < width; ++i) {
    text.insert(text.begin(), static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
  }
  return width > 0 ? sign + text : text;
}

std::string CountText(int64_t count) {
  // The magnitude as unsigned, so that the lowest count has one too.
  uint64_t rest = count < 0 ? 0 - static_cast<uint64_t>(count) : static_cast<uint64_t>(count);
  std::string text;
  int digits = 0;
  do {
    if (digits > 0 && digits % 3 == 0) text.insert(text.begin(), '.');
    text.insert(text.begin(), static_cast<char>('0' + rest % 10));
    rest /= 10;
    ++digits;
  } while (rest != 0);
  return count < 0 ? "-" + text : text;
}

std::string DateText(const std::tm* local) {
  int day = 1, month = 1, year = 2000;
  if (local && local->tm_mday >= 1 && local->tm_mday <= 31 && local->tm_mon >= 0 &&
      local->tm_mon <= 11 && local->tm_year >= 1000 - 1900 && local->tm_year <= 9999 - 1900) {
    day = local->tm_mday;
    month = local->tm_mon + 1;
    year = local->tm_year + 1900;
  }
  return IntToText(day, 0) + "/" + IntToText(month, 2) + "/" + IntToText(year, 0);
}

std::string CurrentDateText() {
  std::time_t now = std::time(nullptr);
  return DateText(std::localtime(&now));
}

void BuildTodayText() { TodayText = CurrentDateText(); }
