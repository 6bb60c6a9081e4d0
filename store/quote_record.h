// One quote as stored in datos.dat and as held in memory: five NUL-terminated
// Windows-1252 texts in fixed-width fields, 1960 bytes with no padding.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr std::size_t kBodyWidth = 1800;
constexpr std::size_t kFieldWidth = 40;

struct QuoteRecord {
  char body[kBodyWidth];
  char name[kFieldWidth];
  char date[kFieldWidth];
  char address[kFieldWidth];
  char total[kFieldWidth];
};
constexpr std::size_t kRecordSize = 1960;
static_assert(sizeof(QuoteRecord) == kRecordSize, "a record is 1960 bytes on disk");

// The working copy of the quote a dialog has on show: the dialogs move it
// to and from their controls, SaveQuote stores it. Readers and the print job
// take a quote as a value instead.
extern QuoteRecord CurrentQuote;
// How many quotes are stored; only the settings load and an append change it.
extern int32_t RecordCount;

// Copies a text into a field up to its NUL; a text with no NUL inside the
// field's width is cut at width - 1, so the field always ends in a NUL.
void CopyField(char* field, std::size_t width, const char* text);

// Copies each field of one quote into another, every field ending in a NUL.
void CopyQuote(QuoteRecord& to, const QuoteRecord& from);

// All five fields empty and every byte zero.
void ClearQuote(QuoteRecord& quote);
