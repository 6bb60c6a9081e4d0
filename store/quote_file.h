// The quote file datos.dat: append a quote, overwrite one in place of its
// number, load one into CurrentQuote.
#pragma once
#include <cstdint>

// With isNew, appends CurrentQuote as quote RecordCount + 1 and counts it;
// otherwise replaces quote `number` (1 to RecordCount). True once the quote
// is on disk; on false nothing stored has changed.
bool SaveQuote(unsigned char isNew, int32_t number);

// Copies quote `number` (1 or less: the first) into CurrentQuote; where it
// cannot be read, CurrentQuote gets five empty texts.
void LoadQuote(int32_t number);

// Reads whole records from datos.dat: passes over `skip` records, then reads
// one into `record`. False when the file ends or fails before that.
struct QuoteRecord;
bool ReadQuoteRecord(int32_t skip, QuoteRecord& record);
