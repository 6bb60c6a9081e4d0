// Pastes cut to their field through a subclass of the quote edits, and the
// beep of a full field.
#include "dialogs/field_overflow.h"

#include <string>
#include <vector>

#include "dialogs/paste_fit.h"
#include "dialogs/window_text.h"
#include "print/body_rows.h"
#include "resources/resource.h"

namespace {

// Where each watched edit keeps the procedure it had before.
const wchar_t kEditProcedure[] = L"Presupuestos.EditProc";
// More than any field holds, so that the whole text is read.
constexpr int kMostText = 4096;

std::wstring EditText(HWND dialog, int id) {
  std::vector<wchar_t> buffer(kMostText, L'\0');
  UINT length = GetDlgItemTextW(dialog, id, buffer.data(), kMostText);
  return std::wstring(buffer.data(), length);
}

// The clipboard's text; false when it holds none.
bool ClipboardText(HWND edit, std::wstring& text) {
  if (!OpenClipboard(edit)) return false;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const auto* characters = data ? static_cast<const wchar_t*>(GlobalLock(static_cast<HGLOBAL>(data)))
                                : nullptr;
  if (characters) {
    text = characters;
    GlobalUnlock(static_cast<HGLOBAL>(data));
  }
  CloseClipboard();
  return characters != nullptr;
}

void TellPasteCut(HWND dialog, bool body, std::size_t limit, bool somePasted) {
  std::string text = "El texto pegado no cabe entero: ";
  text += body ? "el texto del presupuesto lleva como mucho " + std::to_string(kSheetBodyRows) +
                     " l\xEDneas, las de la hoja impresa, y " + std::to_string(limit) +
                     " caracteres."
               : "este campo lleva como mucho " + std::to_string(limit) + " caracteres.";
  text += somePasted ? " Se ha pegado lo que cabe y el resto se ha dejado fuera."
                     : " No se ha pegado nada.";
  ShowMessage(dialog, text, "Presupuestos", MB_OK | MB_ICONEXCLAMATION);
}

void Paste(HWND edit) {
  std::wstring pasted;
  if (!ClipboardText(edit, pasted)) return;
  HWND dialog = GetParent(edit);
  int id = GetDlgCtrlID(edit);
  bool body = id == IDC_BODY;
  std::wstring text = EditText(dialog, id);
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  std::size_t from = start < text.size() ? start : text.size();
  std::size_t to = end < text.size() ? end : text.size();
  if (to < from) to = from;
  auto limit = static_cast<std::size_t>(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
  std::size_t kept = text.size() - (to - from);
  PasteFit fit = body ? FitBody(text.substr(0, from), pasted, text.substr(to), limit, kSheetBodyRows)
                      : FitOneLine(pasted, limit > kept ? limit - kept : 0);
  if (fit.taken.empty() && !fit.cut) return;
  if (!fit.taken.empty()) {
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(fit.taken.c_str()));
  }
  // The edit may still refuse it (a field narrower than its characters, a
  // body shorter than its rows): then nothing went in, and that is told.
  bool pastedIn = !fit.taken.empty() && EditText(dialog, id).size() == kept + fit.taken.size();
  if (fit.cut || !pastedIn) TellPasteCut(dialog, body, limit, pastedIn);
}

}  // namespace

void FitPastesToFields(HWND dialog) {
  for (int id : {IDC_BODY, IDC_DATE, IDC_NAME, IDC_ADDRESS, IDC_TOTAL}) {
    HWND edit = GetDlgItem(dialog, id);
    if (!edit) continue;
    // The old procedure is kept before the new one can be called.
    SetPropW(edit, kEditProcedure, reinterpret_cast<HANDLE>(GetWindowLongPtrW(edit, GWLP_WNDPROC)));
    SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PasteWhatFits));
  }
}

LRESULT CALLBACK PasteWhatFits(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  auto previous = reinterpret_cast<WNDPROC>(GetPropW(edit, kEditProcedure));
  if (message == WM_PASTE) {
    Paste(edit);
    return 0;
  }
  if (message == WM_NCDESTROY) RemovePropW(edit, kEditProcedure);
  return previous ? CallWindowProcW(previous, edit, message, wParam, lParam)
                  : DefWindowProcW(edit, message, wParam, lParam);
}

bool BeepWhenFull(WPARAM wParam) {
  if (HIWORD(wParam) != EN_MAXTEXT) return false;
  MessageBeep(MB_OK);
  return true;
}
