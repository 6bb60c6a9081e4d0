// The rows of the search dialog's list: each quote's column texts, read from
// datos.dat only when the list shows the row, and a few of them kept.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "store/quote_record.h"

enum SearchColumn { kNumberColumn, kDateColumn, kNameColumn, kAddressColumn, kTotalColumn,
                    kTextColumn, kSearchColumns };

struct SearchRow {
  int32_t number = 0;  // 0: no row kept here
  std::array<std::wstring, kSearchColumns> texts;
};

// The column texts of quote `number`: its number, date, name, address,
// total and the first line of its text; for a quote that cannot be read
// (null), the number and a note saying so.
SearchRow MakeSearchRow(int32_t number, const QuoteRecord* record);

// The rows last shown, by number: the list asks for each column of a row
// apart, and for every row again when it repaints.
struct SearchRowCache {
  std::array<SearchRow, 64> rows;
};
const SearchRow& CachedSearchRow(SearchRowCache& cache, int32_t number);
// After a search, or a save that may have changed a quote.
void ClearSearchRows(SearchRowCache& cache);
