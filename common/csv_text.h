// The fields of a spreadsheet file as a Spanish Excel or LibreOffice opens
// it on a double click: UTF-8 with a byte order mark, ";" between fields,
// CR LF between records, every field in double quotes.
#pragma once
#include <cstddef>
#include <string>

// The byte order mark that starts the file: it tells the spreadsheet that
// the file is UTF-8.
extern const char kCsvFileStart[];
extern const char kCsvSeparator[];
extern const char kCsvRecordEnd[];

// Appends one field holding the Windows-1252 text `text` (`length` bytes),
// as UTF-8 in double quotes, a quote inside doubled, line breaks kept. A text
// that a spreadsheet would take for a formula (one starting with "=", "+",
// "-", "@", a tab or a carriage return) gets an apostrophe in front, which
// makes it plain text there.
void AppendCsvField(std::string& out, const char* text, std::size_t length);
void AppendCsvField(std::string& out, const std::string& text);
