// The wide calls under the program's Windows-1252 texts.
#include "dialogs/window_text.h"

#include <vector>

#include "common/windows1252.h"

void SetControlText(HWND dialog, int id, const std::string& text) {
  SetDlgItemTextW(dialog, id, Widen(text).c_str());
}

std::string ControlText(HWND dialog, int id, std::size_t capacity, bool* replaced) {
  if (replaced) *replaced = false;
  if (capacity == 0) return std::string();
  // One UTF-16 unit per Windows-1252 byte; a character outside the basic
  // plane cut in half here still becomes one "?".
  std::vector<wchar_t> buffer(capacity, L'\0');
  UINT length = GetDlgItemTextW(dialog, id, buffer.data(), static_cast<int>(capacity));
  if (length >= capacity) length = static_cast<UINT>(capacity - 1);
  std::string text = Narrow(std::wstring(buffer.data(), length), replaced);
  if (text.size() >= capacity) text.resize(capacity - 1);
  return text;
}

int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT type) {
  return MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), type);
}

void TellReplaced(HWND owner) {
  ShowMessage(owner,
              "Algunos de los caracteres escritos no se pueden guardar y se han cambiado por "
              "\"?\".",
              "Presupuestos", MB_OK | MB_ICONEXCLAMATION);
}

bool EndedByCancel(HWND dialog, int id) {
  if (id != IDCANCEL) return false;
  EndDialog(dialog, 0);
  return true;
}
