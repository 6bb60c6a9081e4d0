// Money in Spanish notation ("1.234,56 €") and the IVA worked out on it, in
// whole cents, so that no sum is off by a rounding of binary fractions.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

// The amount of a Windows-1252 text such as "1.234,56", "1234,56" or "1234",
// with or without a final "€" and spaces around: thousands dots only in
// groups of three, at most two decimals after a comma, up to twelve whole
// digits. Nothing for any other text.
std::optional<int64_t> ReadAmount(const std::string& text);

// A rate such as "21", "10", "4" or "5,5" (a final "%" allowed), in
// hundredths of a percent, from 0 to 100 %. Nothing for any other text.
std::optional<int64_t> ReadRate(const std::string& text);

// The IVA on `cents` at `rate` hundredths of a percent, half a cent rounded up.
int64_t VatOn(int64_t cents, int64_t rate);

// "1.493,82 €" (the euro sign as Windows-1252 0x80).
std::string AmountText(int64_t cents);

// The same within `room` columns where it can be: first without the space
// before "€" ("123.456,78€"), then without the thousands dots too
// ("1234567,89€"); where none of them fits, the first form in full.
std::string AmountTextWithin(int64_t cents, std::size_t room);

// "21", "5,5", "4,25".
std::string RateText(int64_t rate);
