// The body edit's formatting rectangle, measured in its own font.
#include "dialogs/body_edit.h"

#include <string>

#include "print/body_rows.h"
#include "resources/resource.h"

void WrapBodyAtSheetRows(HWND dialog) {
  HWND body = GetDlgItem(dialog, IDC_BODY);
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
  // One pixel either side keeps the caret off the border.
  LONG width = size.cx + 2;
  if (width > client.right - client.left) return;
  RECT text = client;
  text.left += 1;
  text.right = client.left + width;
  SendMessageW(body, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&text));
}
