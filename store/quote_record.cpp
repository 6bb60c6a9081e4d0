// The working copy, the quote count and the field copying they share.
#include "store/quote_record.h"

#include <cstring>

QuoteRecord CurrentQuote;
int32_t RecordCount = 0;

void CopyField(char* field, std::size_t width, const char* text) {
  // Stop at the NUL, and never read past the source field: it may come from
  // a damaged record with no NUL in it.
  std::size_t length = 0;
  while (length < width - 1 && text[length] != '\0') ++length;
  std::memmove(field, text, length);
  field[length] = '\0';
}

void CopyQuote(QuoteRecord& to, const QuoteRecord& from) {
  CopyField(to.body, kBodyWidth, from.body);
  CopyField(to.name, kFieldWidth, from.name);
  CopyField(to.date, kFieldWidth, from.date);
  CopyField(to.address, kFieldWidth, from.address);
  CopyField(to.total, kFieldWidth, from.total);
}

void ClearQuote(QuoteRecord& quote) { std::memset(&quote, 0, sizeof quote); }
