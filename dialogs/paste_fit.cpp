// Cutting a pasted text to what its field holds.
#include "dialogs/paste_fit.h"

#include "common/windows1252.h"
#include "print/body_rows.h"

namespace {

// Every line break as CR LF, the form the body edit and the store use; the
// clipboard may hold lone LFs or CRs.
std::wstring WithCrLf(const std::wstring& text) {
  std::wstring out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c == L'\r' || c == L'\n') {
      out += L"\r\n";
      if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

PasteFit FitOneLine(const std::wstring& pasted, std::size_t room) {
  std::wstring line = pasted.substr(0, pasted.find_first_of(L"\r\n"));
  if (line.size() <= room) return {line, false};
  return {line.substr(0, room), true};
}

PasteFit FitBody(const std::wstring& before, const std::wstring& pasted, const std::wstring& after,
                 std::size_t limit, std::size_t rows) {
  std::wstring text = WithCrLf(pasted);
  auto fits = [&](std::size_t n) {
    std::wstring body = before + text.substr(0, n) + after;
    return body.size() <= limit && BodyRows(Narrow(body)).size() <= rows;
  };
  // More text never takes fewer rows, so the longest start that fits is
  // found by halving.
  std::size_t low = 0, high = text.size();
  if (fits(high)) return {text, false};
  while (low + 1 < high) {
    std::size_t middle = low + (high - low) / 2;
    if (fits(middle)) {
      low = middle;
    } else {
      high = middle;
    }
  }
  if (low > 0 && text[low - 1] == L'\r') --low;
  return {text.substr(0, low), true};
}
