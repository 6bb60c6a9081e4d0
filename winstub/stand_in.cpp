// Native stand-in for the Win32 calls: records what the program asks for and
// answers from the state that tests set up in StandIn().
#include "stand_in.h"

#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

StandInState state;

// Fake handles: small integers that never point anywhere.
HWND HandleFor(uintptr_t value) { return reinterpret_cast<HWND>(value); }
constexpr uintptr_t kDialog = 0x1000;
constexpr uintptr_t kControlBase = 0x100000;
constexpr uintptr_t kWindowBase = 0x2000;
constexpr uintptr_t kPrinterDc = 0x7000;
constexpr uintptr_t kFontBase = 0x8000;
constexpr uintptr_t kPenBase = 0x9000;
constexpr int kMadeObjects = 0x1000;  // fonts or pens a test can make

// The index of a font or pen handle made from `base`, or -1.
int MadeIndex(HGDIOBJ object, uintptr_t base) {
  uintptr_t value = reinterpret_cast<uintptr_t>(object);
  return value >= base && value < base + kMadeObjects ? static_cast<int>(value - base) : -1;
}

// A printing call, failing when the test asks that one to fail.
int PrintCall(const std::string& name, int success) {
  state.calls.push_back(name);
  bool fails = !state.failingPrintCall.empty() && name.rfind(state.failingPrintCall, 0) == 0;
  return fails ? -1 : success;
}

std::string Text(LPCSTR text) { return text ? std::string(text) : std::string(); }

}  // namespace

StandInState& StandIn() { return state; }
void StandInReset() { state = StandInState(); }
HWND StandInDialog() { return HandleFor(kDialog); }

int StandInControlId(HWND control) {
  return static_cast<int>(reinterpret_cast<uintptr_t>(control) - kControlBase);
}

HGDIOBJ GetStockObject(int object) { return HandleFor(0x3000 + object); }
HCURSOR LoadCursorA(HINSTANCE, LPCSTR) { return HandleFor(0x3100); }
HICON LoadIconA(HINSTANCE, LPCSTR) { return HandleFor(0x3200); }

ATOM RegisterClassA(const WNDCLASSA* windowClass) {
  state.registeredClass = *windowClass;
  state.registeredClassName = Text(windowClass->lpszClassName);
  state.calls.push_back("RegisterClassA " + state.registeredClassName);
  return 1;
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
  StandInWindow made{Text(className), Text(windowName), style, x, y, width, height,
                     static_cast<int>(reinterpret_cast<uintptr_t>(menu))};
  state.windows.push_back(made);
  state.calls.push_back("CreateWindowExA " + made.className);
  HWND window = HandleFor(kWindowBase + state.windows.size());
  if (parent == nullptr && state.registeredClass.lpfnWndProc &&
      made.className == state.registeredClassName) {
    CREATESTRUCTA create{param, instance, menu, parent, height, width, y, x,
                         static_cast<LONG>(style), windowName, className, 0};
    state.registeredClass.lpfnWndProc(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create));
  }
  return window;
}

BOOL ShowWindow(HWND, int show) {
  state.calls.push_back("ShowWindow " + std::to_string(show));
  return TRUE;
}

BOOL GetMessageA(MSG* msg, HWND, UINT, UINT) {
  if (state.queue.empty()) {
    *msg = MSG{};
    msg->message = WM_QUIT;
    return 0;
  }
  *msg = state.queue.front();
  state.queue.erase(state.queue.begin());
  return msg->message == WM_QUIT ? 0 : 1;
}

BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageA(const MSG* msg) {
  if (!state.registeredClass.lpfnWndProc) return 0;
  return state.registeredClass.lpfnWndProc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT DefWindowProcA(HWND, UINT message, WPARAM, LPARAM) {
  state.calls.push_back("DefWindowProcA " + std::to_string(message));
  return 0;
}

void PostQuitMessage(int exitCode) {
  state.calls.push_back("PostQuitMessage " + std::to_string(exitCode));
  MSG quit{};
  quit.message = WM_QUIT;
  quit.wParam = static_cast<WPARAM>(exitCode);
  state.queue.insert(state.queue.begin(), quit);
}

HDC GetDC(HWND) { return HandleFor(0x4000); }

BOOL GetTextMetricsA(HDC, TEXTMETRICA* metrics) {
  *metrics = state.metrics;
  return TRUE;
}

int ReleaseDC(HWND, HDC) {
  state.calls.push_back("ReleaseDC");
  return 1;
}

HANDLE LoadImageA(HINSTANCE, LPCSTR name, UINT, int, int, UINT) {
  state.calls.push_back("LoadImageA " + Text(name));
  return HandleFor(0x5000);
}

LRESULT SendMessageA(HWND, UINT message, WPARAM, LPARAM) {
  state.calls.push_back("SendMessageA " + std::to_string(message));
  return 0;
}

INT_PTR DialogBoxParamA(HINSTANCE, LPCSTR templateName, HWND, DLGPROC, LPARAM) {
  state.dialogsOpened.push_back(Text(templateName));
  state.calls.push_back("DialogBoxParamA " + Text(templateName));
  return 0;
}

LRESULT SendDlgItemMessageA(HWND, int id, UINT message, WPARAM wParam, LPARAM) {
  if (message == EM_LIMITTEXT) state.typingLimit[id] = static_cast<int>(wParam);
  state.calls.push_back("SendDlgItemMessageA " + std::to_string(id) + " " +
                        std::to_string(message) + " " + std::to_string(wParam));
  return 0;
}

BOOL SetDlgItemTextA(HWND, int id, LPCSTR text) {
  state.controlText[id] = Text(text);
  state.calls.push_back("SetDlgItemTextA " + std::to_string(id));
  return TRUE;
}

UINT GetDlgItemTextA(HWND, int id, LPSTR buffer, int capacity) {
  state.calls.push_back("GetDlgItemTextA " + std::to_string(id));
  if (capacity <= 0) return 0;
  const std::string& text = state.controlText[id];
  size_t n = text.size() < static_cast<size_t>(capacity - 1) ? text.size()
                                                             : static_cast<size_t>(capacity - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<UINT>(n);
}

HWND GetDlgItem(HWND, int id) { return HandleFor(kControlBase + static_cast<uintptr_t>(id)); }

HWND SetFocus(HWND control) {
  state.focusId = StandInControlId(control);
  state.calls.push_back("SetFocus " + std::to_string(state.focusId));
  return nullptr;
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  state.boxes.push_back({Text(text), Text(caption), type, owner});
  state.calls.push_back("MessageBoxA " + Text(caption));
  if (state.boxAnswers.empty()) return IDOK;
  int answer = state.boxAnswers.front();
  state.boxAnswers.erase(state.boxAnswers.begin());
  return answer;
}

BOOL EndDialog(HWND, INT_PTR result) {
  state.ended = true;
  state.endResult = result;
  state.calls.push_back("EndDialog " + std::to_string(result));
  return TRUE;
}

HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD shareMode, LPVOID, DWORD disposition, DWORD,
                   HANDLE) {
  char line[128];
  std::snprintf(line, sizeof line, " %lx %lx %lu", static_cast<unsigned long>(access),
                static_cast<unsigned long>(shareMode), static_cast<unsigned long>(disposition));
  state.calls.push_back("CreateFileA " + Text(name) + line);
  DWORD error = 0;
  if (!state.openErrors.empty()) {
    error = state.openErrors.front();
    state.openErrors.erase(state.openErrors.begin());
  }
  if (error == 0) return HandleFor(0x6000);
  state.lastError = error;
  return INVALID_HANDLE_VALUE;
}

DWORD GetLastError() { return state.lastError; }

DWORD GetFileAttributesA(LPCSTR name) {
  struct stat info;
  if (::stat(name, &info) != 0) return INVALID_FILE_ATTRIBUTES;
  return S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
}

BOOL GetDefaultPrinterA(LPSTR buffer, DWORD* size) {
  state.calls.push_back("GetDefaultPrinterA");
  const std::string& name = state.defaultPrinter;
  if (name.empty() || !buffer || *size <= name.size()) {
    state.lastError = name.empty() ? ERROR_FILE_NOT_FOUND : ERROR_INSUFFICIENT_BUFFER;
    *size = static_cast<DWORD>(name.size() + 1);
    return FALSE;
  }
  std::memcpy(buffer, name.c_str(), name.size() + 1);
  return TRUE;
}

BOOL PrintDlgA(PRINTDLGA* choice) {
  state.calls.push_back("PrintDlgA");
  state.printDialog = *choice;
  if (!state.printDialogAnswer) return FALSE;
  choice->hDC = HandleFor(kPrinterDc);
  return TRUE;
}

DWORD CommDlgExtendedError() { return state.printDialogAnswer ? 0 : state.printDialogError; }

HGLOBAL GlobalFree(HGLOBAL) { return nullptr; }

int StartDocA(HDC, const DOCINFOA* document) {
  return PrintCall("StartDocA " + Text(document->lpszDocName), 1);
}
int StartPage(HDC) { return PrintCall("StartPage", 1); }
int EndPage(HDC) { return PrintCall("EndPage", 1); }
int EndDoc(HDC) { return PrintCall("EndDoc", 1); }
int AbortDoc(HDC) { return PrintCall("AbortDoc", 1); }
BOOL DeleteDC(HDC) { return PrintCall("DeleteDC", TRUE); }

int GetDeviceCaps(HDC, int index) { return state.deviceCaps[index]; }

HFONT CreateFontIndirectA(const LOGFONTA* font) {
  state.fonts.push_back(*font);
  return HandleFor(kFontBase + state.fonts.size() - 1);
}

HPEN CreatePen(int, int width, COLORREF) {
  state.pens.push_back(width);
  return HandleFor(kPenBase + state.pens.size() - 1);
}

HGDIOBJ SelectObject(HDC, HGDIOBJ object) {
  if (MadeIndex(object, kFontBase) >= 0) state.selectedFont = MadeIndex(object, kFontBase);
  if (MadeIndex(object, kPenBase) >= 0) state.selectedPen = MadeIndex(object, kPenBase);
  return HandleFor(0x3000);
}

BOOL DeleteObject(HGDIOBJ) { return TRUE; }
UINT SetTextAlign(HDC, UINT) { return 0; }
int SetBkMode(HDC, int) { return 1; }

BOOL ExtTextOutW(HDC, int x, int y, UINT, const RECT*, LPCWSTR text, UINT count,
                 const INT* advances) {
  const XFORM& at = state.transform;
  StandInText drawn{static_cast<int>(at.eM11 * static_cast<float>(x) + at.eDx), y, at.eM11,
                    std::wstring(text, count), std::vector<int>(), LOGFONTA{}};
  for (UINT i = 0; advances && i < count; ++i) {
    drawn.advances.push_back(static_cast<int>(at.eM11 * static_cast<float>(advances[i])));
  }
  if (state.selectedFont >= 0) drawn.font = state.fonts[static_cast<size_t>(state.selectedFont)];
  state.drawnTexts.push_back(drawn);
  return TRUE;
}

int SetGraphicsMode(HDC, int) { return 1; }

BOOL SetWorldTransform(HDC, const XFORM* transform) {
  state.transform = *transform;
  return TRUE;
}

BOOL ModifyWorldTransform(HDC, const XFORM*, DWORD) {
  state.transform = XFORM{1, 0, 0, 1, 0, 0};
  return TRUE;
}

BOOL MoveToEx(HDC, int x, int y, POINT* previous) {
  if (previous) *previous = state.penAt;
  state.penAt = POINT{x, y};
  return TRUE;
}

BOOL LineTo(HDC, int x, int y) {
  int width = state.selectedPen >= 0 ? state.pens[static_cast<size_t>(state.selectedPen)] : 0;
  state.drawnLines.push_back({state.penAt.x, state.penAt.y, x, y, width});
  state.penAt = POINT{x, y};
  return TRUE;
}
