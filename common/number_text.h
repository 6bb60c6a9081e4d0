// Decimal text of whole numbers, counts as Spanish readers write them, and
// the start-up date text (D/MM/YYYY), shared by the start-up, the store, the
// dialogs and the print job.
#pragma once
#include <cstdint>
#include <ctime>
#include <string>

// The lowest `width` decimal digits of `value`, zero-padded on the left; a
// width of 0 gives exactly the number's digits (none at all for 0).
std::string IntToText(int32_t value, int32_t width);

// A count shown to the user, with a dot between each three digits as in
// Spanish ("0", "999", "3.000", "1.094.795.585"). Not for quote numbers,
// which are names and read as they are stored.
std::string CountText(int64_t count);

// The day the program was started, as D/MM/YYYY; set once at start-up.
extern std::string TodayText;

// D/MM/YYYY for a local date; a missing or unusable date gives 1/01/2000 so
// that the text always has its form.
std::string DateText(const std::tm* local);

// Sets TodayText from the local clock.
void BuildTodayText();

// D/MM/YYYY of the local clock now.
std::string CurrentDateText();
