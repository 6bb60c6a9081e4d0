// The body edit's formatting rectangle, measured in its own font.
#include "dialogs/body_edit.h"

#include <string>

#include "print/body_rows.h"
#include "resources/resource.h"

// The system's procedure type takes the text as LPWSTR.
// cppcheck-suppress constParameter
int CALLBACK BreakAtSpaces(LPWSTR text, int at, int length, int action) {
  auto space = [&](int i) { return text[i] == L' ' || text[i] == L'\t'; };
  switch (action) {
    case WB_LEFT:
      // The start of the word left of `at`, past the spaces before it.
      if (length == 0) return 0;
      if (at > 0) --at;
      while (at > 0 && space(at)) --at;
      while (at > 0 && !space(at)) --at;
      return space(at) ? at + 1 : at;
    case WB_RIGHT:
      // The start of the next word.
      while (at < length && !space(at)) ++at;
      while (at < length && space(at)) ++at;
      return at;
    case WB_ISDELIMITER:
      return at < length && space(at) ? TRUE : FALSE;
    default:
      return 0;
  }
}

void WrapBodyAtSheetRows(HWND dialog) {
  HWND body = GetDlgItem(dialog, IDC_BODY);
  // Words break at spaces only, as on the sheet; some systems also break
  // after a hyphen (Wine does).
  SendMessageW(body, EM_SETWORDBREAKPROC, 0, reinterpret_cast<LPARAM>(BreakAtSpaces));
  HDC dc = GetDC(body);
  if (!dc) return;
  HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(body, WM_GETFONT, 0, 0)));
  std::wstring row(kRowWidth, L'M');
  SIZE size{};
  bool measured = GetTextExtentPoint32W(dc, row.c_str(), static_cast<int>(row.size()), &size);
  SelectObject(dc, previous);
  ReleaseDC(body, dc);
  RECT client{};
  if (!measured || !GetClientRect(body, &client)) return;
  // Two pixels spare, for the caret at the row's end.
  LONG width = size.cx + 2;
  if (width > client.right - client.left) return;
  // The control keeps its margins, sized by the font, inside the rectangle:
  // with none they cannot take a column off the row.
  SendMessageW(body, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(0, 0));
  RECT text = client;
  text.right = client.left + width;
  SendMessageW(body, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&text));
  // Some systems take the client edge off the rectangle as well (Wine
  // does): it is widened back by what they took, within the client area;
  // and its top and bottom given back too, which would cost the body the
  // last of the sheet's rows.
  RECT kept{};
  SendMessageW(body, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&kept));
  LONG lost = width - (kept.right - kept.left);
  LONG lostTop = kept.top - text.top;
  bool widen = lost > 0 && text.right + lost <= client.right;
  if (widen) text.right += lost;
  if (lostTop > 0) {
    text.top -= lostTop;
    text.bottom += lostTop;
  }
  if (widen || lostTop > 0) SendMessageW(body, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&text));
}
