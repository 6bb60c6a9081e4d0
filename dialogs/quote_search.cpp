// The search over every stored quote: each typed word looked for in the
// quote's fields one by one, so that none is found across two of them.
#include "dialogs/quote_search.h"

#include <algorithm>

#include "common/search_text.h"
#include "store/file_names.h"
#include "store/quote_file.h"
#include "store/quote_scan.h"

namespace {

// A datos.dat changed under every pass is searched as the last pass read it.
constexpr int kMostPasses = 3;

bool AllDigits(const std::string& word) {
  return std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The decimal digits of a quote number, which is never negative, ending in
// a zero byte as the stored fields do.
struct NumberText {
  char digits[12];
};
NumberText Digits(int32_t number) {
  NumberText text{};
  char reversed[12];
  int length = 0;
  for (auto rest = static_cast<uint32_t>(number); rest != 0; rest /= 10) {
    reversed[length++] = static_cast<char>('0' + rest % 10);
  }
  for (int i = 0; i < length; ++i) text.digits[i] = reversed[length - 1 - i];
  return text;
}

}  // namespace

std::size_t FirstWordMissing(const std::vector<std::string>& words, int32_t number,
                             const QuoteRecord* record) {
  for (std::size_t w = 0; w < words.size(); ++w) {
    const std::string& word = words[w];
    bool found = false;
    // Only a word of digits can be in the number.
    if (AllDigits(word)) {
      NumberText text = Digits(number);
      found = FieldHoldsWordByteByByte({text.digits, sizeof text.digits}, word);
    }
    if (!found && record) {
      // The short fields first: a word is most often a name or a number.
      const SearchField fields[] = {{record->name, kFieldWidth}, {record->date, kFieldWidth},
                                    {record->address, kFieldWidth}, {record->total, kFieldWidth},
                                    {record->body, kBodyWidth}};
      found = FieldsHoldWord(fields, 5, word);
    }
    if (!found) return w;
  }
  return words.size();
}

namespace {

std::vector<int32_t> FindOnce(const std::string& typed, int32_t count) {
  std::vector<std::string> words = SearchWords(typed);
  std::vector<int32_t> found;
  int32_t read = ScanQuotes(count, [&](int32_t number, const QuoteRecord& record) {
    std::size_t missing = FirstWordMissing(words, number, &record);
    if (missing == words.size()) found.push_back(number);
    // The word a quote lacked is looked for first in the next: most quotes
    // lack the same word, and the others need not be looked for.
    if (missing > 0 && missing < words.size()) std::swap(words[0], words[missing]);
  });
  int32_t lastMissing = count - read > kMostMissingListed ? read + kMostMissingListed : count;
  for (int32_t number = read + 1; number <= lastMissing && number > 0; ++number) {
    if (FirstWordMissing(words, number, nullptr) == words.size()) found.push_back(number);
  }
  std::reverse(found.begin(), found.end());
  return found;
}

}  // namespace

std::vector<int32_t> FindQuotes(const std::string& typed, int32_t count) {
  // A pass over a datos.dat that another copy replaced (a correction) or
  // added to meanwhile is made again, on the file as it is now.
  for (int pass = 1;; ++pass) {
    FileStamp before = StampOf(kQuoteFile);
    std::vector<int32_t> found = FindOnce(typed, count);
    if (pass == kMostPasses || SameStamp(before, StampOf(kQuoteFile))) return found;
  }
}
