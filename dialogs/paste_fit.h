// How much of a pasted text a quote's field takes: no more than the field
// stores and, in the body, no more rows than the sheet prints.
#pragma once
#include <cstddef>
#include <string>

struct PasteFit {
  std::wstring taken;  // what goes in, line breaks as CR LF
  bool cut = false;    // some of the pasted text was left out
};

// A one-line field: the pasted text's first line (the system's edits take
// no more), cut to the `room` characters still free.
PasteFit FitOneLine(const std::wstring& pasted, std::size_t room);

// The body: the longest start of the pasted text that, put between `before`
// and `after`, keeps the body within `limit` characters and `rows` rows of
// the sheet. A line break is never cut in half.
PasteFit FitBody(const std::wstring& before, const std::wstring& pasted, const std::wstring& after,
                 std::size_t limit, std::size_t rows);
