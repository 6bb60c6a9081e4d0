// Reading and writing amounts and rates in Spanish notation.
#include "print/amounts.h"

#include <algorithm>
#include <cctype>

namespace {

const char kEuro = '\x80';

std::string Trimmed(const std::string& text) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool AllDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

// Whole units: plain digits, or groups of three after the first behind dots.
std::optional<int64_t> ReadWhole(const std::string& text) {
  std::string digits;
  std::size_t group = text.find('.');
  if (group == std::string::npos) {
    digits = text;
  } else {
    if (group == 0 || group > 3) return std::nullopt;
    digits = text.substr(0, group);
    for (std::size_t at = group; at < text.size(); at += 4) {
      if (text[at] != '.' || at + 4 > text.size()) return std::nullopt;
      digits += text.substr(at + 1, 3);
    }
  }
  if (!AllDigits(digits) || digits.size() > 12) return std::nullopt;
  return std::stoll(digits);
}

// Hundredths of a whole from "d" or "dd" after the comma.
std::optional<int64_t> ReadHundredths(const std::string& text) {
  if (!AllDigits(text) || text.size() > 2) return std::nullopt;
  return std::stoll(text) * (text.size() == 1 ? 10 : 1);
}

// "1.234,5" and the like, in hundredths.
std::optional<int64_t> ReadDecimal(const std::string& text) {
  std::size_t comma = text.find(',');
  auto whole = ReadWhole(text.substr(0, comma));
  if (!whole) return std::nullopt;
  int64_t fraction = 0;
  if (comma != std::string::npos) {
    auto hundredths = ReadHundredths(text.substr(comma + 1));
    if (!hundredths) return std::nullopt;
    fraction = *hundredths;
  }
  return *whole * 100 + fraction;
}

std::string WithoutFinal(const std::string& text, char last) {
  std::string trimmed = Trimmed(text);
  if (!trimmed.empty() && trimmed.back() == last) trimmed = Trimmed(trimmed.substr(0, trimmed.size() - 1));
  return trimmed;
}

// Digits with a dot every three from the right.
std::string Grouped(int64_t whole) {
  std::string digits = std::to_string(whole);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += '.';
    grouped += digits[i];
  }
  return grouped;
}

}  // namespace

std::optional<int64_t> ReadAmount(const std::string& text) {
  return ReadDecimal(WithoutFinal(text, kEuro));
}

std::optional<int64_t> ReadRate(const std::string& text) {
  std::string number = WithoutFinal(text, '%');
  // A rate has no thousands.
  if (number.find('.') != std::string::npos) return std::nullopt;
  auto rate = ReadDecimal(number);
  if (!rate || *rate > int64_t{100} * 100) return std::nullopt;
  return rate;
}

int64_t VatOn(int64_t cents, int64_t rate) { return (cents * rate + 5000) / 10000; }

std::string AmountText(int64_t cents) {
  std::string fraction = std::to_string(cents % 100);
  if (fraction.size() < 2) fraction.insert(0, "0");
  return Grouped(cents / 100) + "," + fraction + " " + kEuro;
}

std::string AmountTextWithin(int64_t cents, std::size_t room) {
  std::string full = AmountText(cents);
  if (full.size() <= room) return full;
  std::string close = full;
  close.erase(close.size() - 2, 1);
  if (close.size() <= room) return close;
  std::string bare = close;
  bare.erase(std::remove(bare.begin(), bare.end(), '.'), bare.end());
  return bare.size() <= room ? bare : full;
}

std::string RateText(int64_t rate) {
  std::string text = std::to_string(rate / 100);
  int64_t fraction = rate % 100;
  if (fraction == 0) return text;
  return text + "," + (fraction % 10 == 0 ? std::to_string(fraction / 10)
                                          : (fraction < 10 ? "0" : "") + std::to_string(fraction));
}
