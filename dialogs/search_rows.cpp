// Reading and keeping the search list's rows.
#include "dialogs/search_rows.h"

#include "common/number_text.h"
#include "common/windows1252.h"
#include "store/quote_file.h"
#include "store/quote_scan.h"

namespace {

std::wstring FieldText(const char* field, std::size_t width) {
  return Widen(std::string(field, FieldLength(field, width)));
}

}  // namespace

SearchRow MakeSearchRow(int32_t number, const QuoteRecord* record) {
  SearchRow row;
  row.number = number;
  row.texts[kNumberColumn] = Widen(IntToText(number, 0));
  if (!record) {
    row.texts[kNameColumn] = Widen("(no se ha podido leer)");
    return row;
  }
  row.texts[kDateColumn] = FieldText(record->date, kFieldWidth);
  row.texts[kNameColumn] = FieldText(record->name, kFieldWidth);
  row.texts[kAddressColumn] = FieldText(record->address, kFieldWidth);
  row.texts[kTotalColumn] = FieldText(record->total, kFieldWidth);
  std::wstring body = FieldText(record->body, kBodyWidth);
  row.texts[kTextColumn] = body.substr(0, body.find_first_of(L"\r\n"));
  return row;
}

const SearchRow& CachedSearchRow(SearchRowCache& cache, int32_t number) {
  SearchRow& kept = cache.rows[static_cast<std::size_t>(number) % cache.rows.size()];
  if (kept.number != number) {
    QuoteRecord record;
    bool read = LoadQuote(number, record);
    kept = MakeSearchRow(number, read ? &record : nullptr);
  }
  return kept;
}

void ClearSearchRows(SearchRowCache& cache) {
  for (SearchRow& row : cache.rows) row.number = 0;
}
