// Text as the search compares it: Windows-1252 bytes with case and accents
// folded away, so that "PEÑA", "Peña" and "pena" are the same word.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

// The words typed into the search field, folded: split at spaces and tabs,
// empty ones dropped.
std::vector<std::string> SearchWords(const std::string& typed);

// A field as stored: its text is its bytes up to the first zero byte, all
// `width` of them when it has none.
struct SearchField {
  const char* bytes;
  std::size_t width;
};

// True when the text of one of the fields holds a run of bytes that folds
// to `word`, a folded word that is not empty. Nothing past a field's width
// is read.
bool FieldsHoldWord(const SearchField* fields, std::size_t count, const std::string& word);

// The same for one field, one byte at a time: what a processor without AVX2
// runs, and what the tests hold the fast way to.
bool FieldHoldsWordByteByByte(const SearchField& field, const std::string& word);
