// Which stored quotes the search dialog lists for what is typed.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "store/quote_record.h"

// The first of the folded `words` that appears in none of a quote's number,
// date, name, address, total and text; words.size() when each appears in
// one of them, and the quote is listed. `record` is null for a quote that
// cannot be read, which only its number can match.
std::size_t FirstWordMissing(const std::vector<std::string>& words, int32_t number,
                             const QuoteRecord* record);

// The numbers of quotes 1 to `count` listed for `typed`, newest first, from
// one pass over datos.dat, or again, a few times at most, where the file
// changed during it. Of the quotes missing after the file's end, at most the
// first kMostMissingListed are looked at: a damaged count can say millions.
std::vector<int32_t> FindQuotes(const std::string& typed, int32_t count);
constexpr int32_t kMostMissingListed = 1000;
