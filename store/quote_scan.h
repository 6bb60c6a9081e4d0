// Reading datos.dat for the search and the export: every quote in one
// sequential pass with large reads.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

#include "store/quote_record.h"

// Calls `visit` for quotes 1, 2, ... in order, each with its record as
// stored, up to quote `count` or the first that cannot be read (the file
// ends before it is whole, or a read fails), and returns how many it
// visited: the quotes after them, up to `count`, cannot be read. The file is
// read in blocks of many records, never more than one block held.
int32_t ScanQuotes(int32_t count, const std::function<void(int32_t, const QuoteRecord&)>& visit);

// How many quotes the files hold, for a reader that does not start the
// program: the count in config.cfg, or the whole records of datos.dat when
// that count is unusable or lower, as start-up would take it.
int32_t StoredQuoteCount();

// The length of a field's text: up to its first zero byte, at most the
// field's width when it has none.
std::size_t FieldLength(const char* field, std::size_t width);
