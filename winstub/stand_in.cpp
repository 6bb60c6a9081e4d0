// Native stand-in for the Win32 calls: records what the program asks for and
// answers from the state that tests set up in StandIn().
#include "stand_in.h"

#include <commctrl.h>
#include <iconv.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <sys/stat.h>
#include <utility>

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
constexpr uintptr_t kScreenDc = 0x4000;
constexpr uintptr_t kCopyBase = 0xA000;        // running copies' main windows
constexpr uintptr_t kCopyDialogBase = 0xB000;  // their open dialogs
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
  if (fails) state.lastError = state.failingPrintError;
  return fails ? -1 : success;
}

// One character through iconv; false where the other side lacks it.
bool ConvertOne(const char* to, const char* from, const void* in, std::size_t inSize, void* out,
                std::size_t outSize) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;
  char* inAt = const_cast<char*>(static_cast<const char*>(in));
  char* outAt = static_cast<char*>(out);
  std::size_t inLeft = inSize, outLeft = outSize;
  bool done = iconv(converter, &inAt, &inLeft, &outAt, &outLeft) != static_cast<std::size_t>(-1) &&
              inLeft == 0 && outLeft == 0;
  iconv_close(converter);
  return done;
}

std::string Text(LPCWSTR text) { return text ? StandInNarrow(text) : std::string(); }

// The running copy a window handle stands for, or -1.
int CopyIndex(HWND window, uintptr_t base) {
  uintptr_t value = reinterpret_cast<uintptr_t>(window);
  return value >= base && value < base + state.runningCopies.size() ? static_cast<int>(value - base)
                                                                     : -1;
}

// A window the program created, by its handle, or null.
StandInWindow* MadeWindow(HWND window) {
  uintptr_t value = reinterpret_cast<uintptr_t>(window);
  return value > kWindowBase && value <= kWindowBase + state.windows.size()
             ? &state.windows[value - kWindowBase - 1]
             : nullptr;
}

// Resource names given as numbers (MAKEINTRESOURCE) are not texts.
std::string NameText(LPCWSTR name) {
  return reinterpret_cast<uintptr_t>(name) < 0x10000 ? "#" + std::to_string(reinterpret_cast<uintptr_t>(name))
                                                      : Text(name);
}

// The Open or Save As dialog's next file from `choices`; "Cancelar" once
// none is left, or for an empty name.
BOOL TakeFileChoice(std::vector<std::wstring>& choices, OPENFILENAMEW* choice) {
  if (choices.empty()) return FALSE;
  std::wstring chosen = choices.front();
  choices.erase(choices.begin());
  if (chosen.empty() || chosen.size() >= choice->nMaxFile) return FALSE;
  std::wmemcpy(choice->lpstrFile, chosen.c_str(), chosen.size() + 1);
  return TRUE;
}

}  // namespace

std::wstring StandInWiden(const std::string& text) {
  std::wstring wide;
  for (char byte : text) {
    wchar_t character = 0;
    // The bytes Windows-1252 leaves unassigned keep their value, as on Windows.
    if (!ConvertOne("WCHAR_T", "WINDOWS-1252", &byte, 1, &character, sizeof character)) {
      character = static_cast<wchar_t>(static_cast<unsigned char>(byte));
    }
    wide += character;
  }
  return wide;
}

std::string StandInNarrow(const std::wstring& text) {
  std::string narrow;
  for (wchar_t character : text) {
    char byte = '?';
    if (!ConvertOne("WINDOWS-1252", "WCHAR_T", &character, sizeof character, &byte, 1) &&
        character >= 0x80 && character <= 0x9F) {
      byte = static_cast<char>(character);
    }
    narrow += byte;
  }
  return narrow;
}

StandInState& StandIn() { return state; }
void StandInReset() { state = StandInState(); }
HWND StandInDialog() { return HandleFor(kDialog); }

int StandInControlId(HWND control) {
  return static_cast<int>(reinterpret_cast<uintptr_t>(control) - kControlBase);
}

HGDIOBJ GetStockObject(int object) { return HandleFor(0x3000 + object); }
HCURSOR LoadCursorW(HINSTANCE, LPCWSTR) { return HandleFor(0x3100); }
HICON LoadIconW(HINSTANCE, LPCWSTR name) {
  state.calls.push_back("LoadIconW " + NameText(name));
  return HandleFor(0x3200);
}

ATOM RegisterClassExW(const WNDCLASSEXW* windowClass) {
  state.registeredClass = *windowClass;
  state.registeredClassName = Text(windowClass->lpszClassName);
  state.calls.push_back("RegisterClassExW " + state.registeredClassName);
  return 1;
}

int GetSystemMetrics(int index) {
  return index == SM_CXSMICON || index == SM_CYSMICON ? MulDiv(16, state.screenDpi, 96) : 0;
}

HWND CreateWindowExW(DWORD, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
  StandInWindow made{Text(className), Text(windowName), style, x, y, width, height,
                     static_cast<int>(reinterpret_cast<uintptr_t>(menu))};
  state.windows.push_back(made);
  state.calls.push_back("CreateWindowExW " + made.className);
  HWND window = HandleFor(kWindowBase + state.windows.size());
  if (parent == nullptr && state.registeredClass.lpfnWndProc &&
      made.className == state.registeredClassName) {
    CREATESTRUCTW create{param, instance, menu, parent, height, width, y, x,
                         static_cast<LONG>(style), windowName, className, 0};
    state.registeredClass.lpfnWndProc(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create));
  }
  return window;
}

BOOL ShowWindow(HWND window, int show) {
  int copy = CopyIndex(window, kCopyBase);
  state.calls.push_back("ShowWindow " + (copy >= 0 ? "copy " + std::to_string(copy) + " " : "") +
                        std::to_string(show));
  return TRUE;
}

BOOL GetMessageW(MSG* msg, HWND, UINT, UINT) {
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

LRESULT DispatchMessageW(const MSG* msg) {
  if (!state.registeredClass.lpfnWndProc) return 0;
  return state.registeredClass.lpfnWndProc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT DefWindowProcW(HWND, UINT message, WPARAM, LPARAM) {
  state.calls.push_back("DefWindowProcW " + std::to_string(message));
  return 0;
}

void PostQuitMessage(int exitCode) {
  state.calls.push_back("PostQuitMessage " + std::to_string(exitCode));
  MSG quit{};
  quit.message = WM_QUIT;
  quit.wParam = static_cast<WPARAM>(exitCode);
  state.queue.insert(state.queue.begin(), quit);
}

HDC GetDC(HWND) { return HandleFor(kScreenDc); }

BOOL GetClientRect(HWND, RECT* rect) {
  *rect = state.clientRect;
  return TRUE;
}

BOOL GetTextMetricsW(HDC, TEXTMETRICW* metrics) {
  *metrics = state.metrics;
  return TRUE;
}

int ReleaseDC(HWND, HDC) {
  state.calls.push_back("ReleaseDC");
  return 1;
}

HANDLE LoadImageW(HINSTANCE, LPCWSTR name, UINT, int cx, int cy, UINT) {
  state.calls.push_back("LoadImageW " + NameText(name) +
                        (cx ? " " + std::to_string(cx) + "x" + std::to_string(cy) : ""));
  return HandleFor(0x5000);
}

// Every bitmap is the default fondo.bmp.
int GetObjectW(HANDLE, int size, LPVOID buffer) {
  if (size < static_cast<int>(sizeof(BITMAP))) return 0;
  BITMAP picture{0, 640, 480, 640, 1, 8, nullptr};
  std::memcpy(buffer, &picture, sizeof picture);
  return static_cast<int>(sizeof picture);
}

HANDLE CopyImage(HANDLE, UINT, int cx, int cy, UINT) {
  state.calls.push_back("CopyImage " + std::to_string(cx) + "x" + std::to_string(cy));
  return HandleFor(0x5001);
}

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  long long product = static_cast<long long>(number) * numerator;
  long long half = denominator / 2;
  return static_cast<int>((product >= 0) == (denominator > 0) ? (product + half) / denominator
                                                                : (product - half) / denominator);
}

LPWSTR lstrcpynW(LPWSTR to, LPCWSTR from, int capacity) {
  if (capacity <= 0) return to;
  std::wcsncpy(to, from, static_cast<size_t>(capacity - 1));
  to[capacity - 1] = L'\0';
  return to;
}

// The main window's client area starts at the screen's origin.
HWND GetParent(HWND) { return HandleFor(kWindowBase + 1); }

BOOL GetWindowRect(HWND window, RECT* rect) {
  const StandInWindow* made = MadeWindow(window);
  if (!made) return FALSE;
  *rect = RECT{made->x, made->y, made->x + made->width, made->y + made->height};
  return TRUE;
}

int MapWindowPoints(HWND, HWND, POINT*, UINT) { return 0; }

BOOL SetWindowPos(HWND window, HWND, int x, int y, int, int, UINT) {
  StandInWindow* made = MadeWindow(window);
  if (!made) return FALSE;
  made->x = x;
  made->y = y;
  return TRUE;
}

HWND FindWindowExW(HWND, HWND after, LPCWSTR, LPCWSTR) {
  size_t next = after ? static_cast<size_t>(CopyIndex(after, kCopyBase) + 1) : 0;
  return next < state.runningCopies.size() ? HandleFor(kCopyBase + next) : nullptr;
}

BOOL SetPropW(HWND window, LPCWSTR name, HANDLE value) {
  int copy = CopyIndex(window, kCopyBase);
  (copy >= 0 ? state.runningCopies[static_cast<size_t>(copy)].marks : state.marks)[Text(name)] =
      value;
  return TRUE;
}

HANDLE GetPropW(HWND window, LPCWSTR name) {
  int copy = CopyIndex(window, kCopyBase);
  const std::map<std::string, HANDLE>& marks =
      copy >= 0 ? state.runningCopies[static_cast<size_t>(copy)].marks : state.marks;
  auto found = marks.find(Text(name));
  return found == marks.end() ? nullptr : found->second;
}

BOOL IsIconic(HWND window) {
  int copy = CopyIndex(window, kCopyBase);
  return copy >= 0 && state.runningCopies[static_cast<size_t>(copy)].minimised;
}

HWND GetLastActivePopup(HWND window) {
  int copy = CopyIndex(window, kCopyBase);
  return copy >= 0 && state.runningCopies[static_cast<size_t>(copy)].dialogOpen
             ? HandleFor(kCopyDialogBase + static_cast<uintptr_t>(copy))
             : window;
}

namespace {

// "NAME copy N" or "NAME copy N dialog" for a running copy's window.
BOOL RecordCopyCall(const std::string& name, HWND window) {
  int copy = CopyIndex(window, kCopyBase);
  int dialog = CopyIndex(window, kCopyDialogBase);
  state.calls.push_back(copy >= 0     ? name + " copy " + std::to_string(copy)
                        : dialog >= 0 ? name + " copy " + std::to_string(dialog) + " dialog"
                                      : name);
  return TRUE;
}

}  // namespace

BOOL SetForegroundWindow(HWND window) { return RecordCopyCall("SetForegroundWindow", window); }
BOOL BringWindowToTop(HWND window) { return RecordCopyCall("BringWindowToTop", window); }

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX*) { return TRUE; }

// The quote edits as the paste sees them: the caret at the end of the text,
// which a paste goes after, and the limit that EM_LIMITTEXT set; an edit
// takes the text it is given within its limit.
namespace {
LRESULT EditMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) {
  std::wstring& text = state.controlText[id];
  switch (message) {
    case EM_GETSEL:
      *reinterpret_cast<DWORD*>(wParam) = static_cast<DWORD>(text.size());
      *reinterpret_cast<DWORD*>(lParam) = static_cast<DWORD>(text.size());
      return 0;
    case EM_GETLIMITTEXT:
      return state.typingLimit[id];
    case EM_REPLACESEL: {
      std::wstring added = reinterpret_cast<LPCWSTR>(lParam);
      if (text.size() + added.size() <= static_cast<size_t>(state.typingLimit[id])) text += added;
      return 0;
    }
    default:
      return 0;
  }
}
}  // namespace

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  state.calls.push_back("SendMessageW " + std::to_string(message));
  if (message == EM_GETSEL || message == EM_GETLIMITTEXT || message == EM_REPLACESEL) {
    return EditMessage(StandInControlId(window), message, wParam, lParam);
  }
  if (message == EM_SETRECTNP) {
    state.formatRect = *reinterpret_cast<const RECT*>(lParam);
    state.formatRect.left += state.formatInset;
    state.formatRect.right -= state.formatInset;
    state.formatRect.top += state.formatInset;
    state.formatRect.bottom -= state.formatInset;
  }
  if (message == EM_GETRECT) *reinterpret_cast<RECT*>(lParam) = state.formatRect;
  return 0;
}


INT_PTR DialogBoxParamW(HINSTANCE, LPCWSTR templateName, HWND, DLGPROC, LPARAM initParam) {
  state.dialogsOpened.push_back(NameText(templateName));
  state.dialogParams.push_back(initParam);
  state.calls.push_back("DialogBoxParamW " + NameText(templateName));
  if (state.dialogResults.empty()) return 0;
  INT_PTR result = state.dialogResults.front();
  state.dialogResults.erase(state.dialogResults.begin());
  return result;
}

LRESULT SendDlgItemMessageW(HWND, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == EM_LIMITTEXT) state.typingLimit[id] = static_cast<int>(wParam);
  if (message == EM_SETCUEBANNER) state.cueBanners[id] = reinterpret_cast<LPCWSTR>(lParam);
  if (message == STM_SETIMAGE) {
    return reinterpret_cast<LRESULT>(std::exchange(state.controlImages[id], reinterpret_cast<HANDLE>(lParam)));
  }
  state.calls.push_back("SendDlgItemMessageW " + std::to_string(id) + " " +
                        std::to_string(message) + " " + std::to_string(wParam));
  switch (message) {
    case LVM_SETITEMCOUNT:
      state.listCount = static_cast<int>(wParam);
      state.listSelection = -1;
      break;
    case LVM_GETNEXTITEM:
      return static_cast<int>(wParam) < state.listSelection ? state.listSelection : -1;
    case LVM_SETITEMSTATE: {
      const LVITEMW* item = reinterpret_cast<const LVITEMW*>(lParam);
      if (item->stateMask & LVIS_SELECTED) {
        bool on = (item->state & LVIS_SELECTED) != 0;
        int row = static_cast<int>(wParam);
        if (on) state.listSelection = row;
        if (!on && (row == -1 || row == state.listSelection)) state.listSelection = -1;
      }
      break;
    }
    case LVM_INSERTCOLUMNW:
      state.columnWidths[static_cast<int>(wParam)] = reinterpret_cast<const LVCOLUMNW*>(lParam)->cx;
      state.listColumns.push_back(Text(reinterpret_cast<const LVCOLUMNW*>(lParam)->pszText));
      return static_cast<LRESULT>(state.listColumns.size() - 1);
    case LVM_SETCOLUMNWIDTH:
      state.columnWidths[static_cast<int>(wParam)] = LOWORD(lParam);
      break;
    case LVM_GETSTRINGWIDTHW:  // 8 pixels a character, as the metrics say
      return static_cast<LRESULT>(8 * std::wcslen(reinterpret_cast<LPCWSTR>(lParam)));
    default:
      break;
  }
  return 0;
}

BOOL SetDlgItemTextW(HWND, int id, LPCWSTR text) {
  state.controlText[id] = text ? std::wstring(text) : std::wstring();
  state.calls.push_back("SetDlgItemTextW " + std::to_string(id));
  return TRUE;
}

UINT GetDlgItemTextW(HWND, int id, LPWSTR buffer, int capacity) {
  state.calls.push_back("GetDlgItemTextW " + std::to_string(id));
  if (capacity <= 0) return 0;
  const std::wstring& text = state.controlText[id];
  size_t n = text.size() < static_cast<size_t>(capacity - 1) ? text.size()
                                                             : static_cast<size_t>(capacity - 1);
  std::wmemcpy(buffer, text.data(), n);
  buffer[n] = L'\0';
  return static_cast<UINT>(n);
}

BOOL CheckRadioButton(HWND, int first, int last, int checked) {
  for (int id = first; id <= last; ++id) state.checked[id] = id == checked;
  return TRUE;
}

UINT IsDlgButtonChecked(HWND, int id) { return state.checked[id] ? BST_CHECKED : BST_UNCHECKED; }

short GetKeyState(int key) {
  bool down = (key == VK_SHIFT && state.shiftDown) || (key == VK_CONTROL && state.controlDown);
  return down ? static_cast<short>(0x8000) : 0;
}

BOOL SetWindowTextW(HWND, LPCWSTR text) {
  state.windowTitle = Text(text);
  state.calls.push_back("SetWindowTextW " + state.windowTitle);
  return TRUE;
}

HWND GetDlgItem(HWND, int id) { return HandleFor(kControlBase + static_cast<uintptr_t>(id)); }

HWND SetFocus(HWND control) {
  state.focusId = StandInControlId(control);
  state.calls.push_back("SetFocus " + std::to_string(state.focusId));
  return nullptr;
}

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  state.boxes.push_back({Text(text), Text(caption), type, owner});
  state.calls.push_back("MessageBoxW " + Text(caption));
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

BOOL EnableWindow(HWND control, BOOL enable) {
  state.disabled[StandInControlId(control)] = !enable;
  return TRUE;
}

// Dialog units as pixels under the stand-in's dialog font: 2 pixels a unit.
BOOL MapDialogRect(HWND, RECT* rect) {
  rect->left *= 2;
  rect->top *= 2;
  rect->right *= 2;
  rect->bottom *= 2;
  return TRUE;
}

LONG_PTR SetWindowLongPtrW(HWND, int index, LONG_PTR value) {
  LONG_PTR previous = 0;
  if (index == DWLP_USER) {
    previous = state.dialogUserData;
    state.dialogUserData = value;
  }
  return previous;
}

LONG_PTR GetWindowLongPtrW(HWND, int index) {
  return index == DWLP_USER ? state.dialogUserData : 0;
}

BOOL InvalidateRect(HWND, const RECT*, BOOL) { return TRUE; }

LRESULT CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return procedure(window, message, wParam, lParam);
}

HANDLE RemovePropW(HWND window, LPCWSTR name) {
  HANDLE value = GetPropW(window, name);
  state.marks.erase(Text(name));
  return value;
}

int GetDlgCtrlID(HWND control) { return StandInControlId(control); }

BOOL MessageBeep(UINT type) {
  state.calls.push_back("MessageBeep " + std::to_string(type));
  return TRUE;
}

BOOL OpenClipboard(HWND) { return TRUE; }

HANDLE GetClipboardData(UINT format) {
  if (format != CF_UNICODETEXT) return nullptr;
  return reinterpret_cast<HANDLE>(&state.clipboard[0]);
}

BOOL CloseClipboard() { return TRUE; }

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG posted{};
  posted.hwnd = window;
  posted.message = message;
  posted.wParam = wParam;
  posted.lParam = lParam;
  state.posted.push_back(posted);
  return TRUE;
}

// The dialog's controls are its children; no other window is.
BOOL IsChild(HWND parent, HWND window) {
  return reinterpret_cast<uintptr_t>(parent) == kDialog &&
         reinterpret_cast<uintptr_t>(window) >= kControlBase;
}

HMODULE GetModuleHandleW(LPCWSTR) { return HandleFor(0x400000); }

HMENU CreatePopupMenu() {
  state.menuItems.clear();
  return HandleFor(0x700000);
}

BOOL AppendMenuW(HMENU, UINT, UINT_PTR id, LPCWSTR text) {
  state.menuItems.push_back(std::to_string(id) + " " + StandInNarrow(text));
  return TRUE;
}

BOOL TrackPopupMenu(HMENU, UINT, int, int, int, HWND, const RECT*) { return state.menuChoice; }

BOOL DestroyMenu(HMENU) { return TRUE; }

HINSTANCE ShellExecuteW(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR, LPCWSTR, int) {
  state.calls.push_back("ShellExecuteW " + StandInNarrow(verb) + " " + StandInNarrow(file));
  return HandleFor(42);
}

FARPROC StandInMailEntry = nullptr;

HMODULE LoadLibraryW(LPCWSTR) { return state.mailProgram ? HandleFor(0x800000) : nullptr; }

FARPROC GetProcAddress(HMODULE, LPCSTR name) {
  return std::string(name) == "MAPISendMailW" ? StandInMailEntry : nullptr;
}

BOOL FreeLibrary(HMODULE) { return TRUE; }

BOOL GetSaveFileNameW(OPENFILENAMEW* choice) {
  state.calls.push_back("GetSaveFileNameW");
  state.saveFileDialog = *choice;
  state.saveFileDefault = choice->lpstrFile;
  return TakeFileChoice(state.saveFileChoices, choice);
}

HHOOK SetWindowsHookExW(int type, HOOKPROC procedure, HINSTANCE, DWORD) {
  state.calls.push_back("SetWindowsHookExW " + std::to_string(type));
  state.hook = procedure;
  state.hookType = type;
  return HandleFor(0xA000);
}

BOOL UnhookWindowsHookEx(HHOOK) {
  state.calls.push_back("UnhookWindowsHookEx");
  state.hook = nullptr;
  return TRUE;
}

LRESULT CallNextHookEx(HHOOK, int, WPARAM, LPARAM) { return 0; }

DWORD GetCurrentThreadId() { return 1; }

LPWSTR GetCommandLineW() { return &state.commandLine[0]; }

// Words apart at spaces; double quotes keep spaces in a word and are dropped.
LPWSTR* CommandLineToArgvW(LPCWSTR commandLine, int* count) {
  state.arguments.clear();
  std::wstring word;
  bool quoted = false, inWord = false;
  for (const wchar_t* at = commandLine; *at; ++at) {
    if (*at == L'"') {
      quoted = !quoted;
      inWord = true;
    } else if (*at == L' ' && !quoted) {
      if (inWord) state.arguments.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += *at;
      inWord = true;
    }
  }
  if (inWord) state.arguments.push_back(word);
  state.argumentPointers.clear();
  for (std::wstring& argument : state.arguments) state.argumentPointers.push_back(&argument[0]);
  *count = static_cast<int>(state.arguments.size());
  return state.argumentPointers.data();
}

HLOCAL LocalFree(HLOCAL) { return nullptr; }

DWORD GetLastError() { return state.lastError; }

DWORD GetFileAttributesW(LPCWSTR name) {
  std::string path;
  for (const wchar_t* c = name; *c; ++c) path += static_cast<char>(*c);
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return INVALID_FILE_ATTRIBUTES;
  return S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
}

HANDLE CreateMutexW(LPVOID, BOOL, LPCWSTR name) {
  state.calls.push_back("CreateMutexW " + Text(name));
  state.lastError = state.mutexes.insert(Text(name)).second ? 0 : ERROR_ALREADY_EXISTS;
  return HandleFor(0x6100);
}

BOOL GetDefaultPrinterW(LPWSTR buffer, DWORD* size) {
  state.calls.push_back("GetDefaultPrinterW");
  std::wstring name = StandInWiden(state.defaultPrinter);
  if (name.empty() || !buffer || *size <= name.size()) {
    state.lastError = name.empty() ? ERROR_FILE_NOT_FOUND : ERROR_INSUFFICIENT_BUFFER;
    *size = static_cast<DWORD>(name.size() + 1);
    return FALSE;
  }
  std::wmemcpy(buffer, name.c_str(), name.size() + 1);
  return TRUE;
}

BOOL PrintDlgW(PRINTDLGW* choice) {
  state.calls.push_back("PrintDlgW");
  state.printDialog = *choice;
  state.printDialogDevice.clear();
  if (choice->hDevNames) {
    const auto* names = static_cast<const DEVNAMES*>(GlobalLock(choice->hDevNames));
    state.printDialogDevice = Text(reinterpret_cast<const wchar_t*>(names) + names->wDeviceOffset);
  }
  if (!state.printDialogAnswer) return FALSE;
  choice->hDC = HandleFor(kPrinterDc);
  return TRUE;
}

DWORD CommDlgExtendedError() { return state.printDialogAnswer ? 0 : state.printDialogError; }

// Global memory is plain heap memory here.
HGLOBAL GlobalAlloc(UINT, size_t size) {
  return reinterpret_cast<HGLOBAL>(std::calloc(size == 0 ? 1 : size, 1));
}
LPVOID GlobalLock(HGLOBAL memory) { return memory; }
BOOL GlobalUnlock(HGLOBAL) { return TRUE; }

HGLOBAL GlobalFree(HGLOBAL memory) {
  // The stand-in's dialog hands out no memory of its own; what the program
  // gave it came from GlobalAlloc.
  std::free(memory);
  return nullptr;
}

BOOL EnumPrintersW(DWORD, LPWSTR, DWORD, BYTE* buffer, DWORD size, DWORD* needed,
                   DWORD* returned) {
  // The structures, then the names they point to.
  std::vector<std::wstring> names;
  DWORD total = 0;
  for (const std::string& printer : state.printers) {
    names.push_back(StandInWiden(printer));
    total += static_cast<DWORD>(sizeof(PRINTER_INFO_4W) + (names.back().size() + 1) * sizeof(wchar_t));
  }
  *needed = total;
  *returned = 0;
  if (!buffer || size < total) {
    state.lastError = ERROR_INSUFFICIENT_BUFFER;
    return FALSE;
  }
  auto* infos = reinterpret_cast<PRINTER_INFO_4W*>(buffer);
  auto* text = reinterpret_cast<wchar_t*>(buffer + names.size() * sizeof(PRINTER_INFO_4W));
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::wmemcpy(text, names[i].c_str(), names[i].size() + 1);
    infos[i] = PRINTER_INFO_4W{text, nullptr, 0};
    text += names[i].size() + 1;
  }
  *returned = static_cast<DWORD>(names.size());
  return TRUE;
}

// Courier New's advance is 0.6 of its em; a device whose resolutions
// differ widens it by their ratio, as GDI does.
BOOL GetTextExtentPoint32W(HDC, LPCWSTR, int count, SIZE* size) {
  if (state.selectedFont < 0) {
    // A window's own font: the screen's text metrics.
    size->cx = count * state.metrics.tmAveCharWidth;
    size->cy = state.metrics.tmHeight;
    return TRUE;
  }
  const LOGFONTW& font = state.fonts[static_cast<size_t>(state.selectedFont)];
  double em = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
  double aspect = static_cast<double>(state.deviceCaps[LOGPIXELSX]) / state.deviceCaps[LOGPIXELSY];
  size->cx = static_cast<LONG>(std::lround(count * 0.6 * em * aspect));
  size->cy = static_cast<LONG>(em);
  return TRUE;
}

int StartDocW(HDC, const DOCINFOW* document) {
  return PrintCall("StartDocW " + Text(document->lpszDocName), 1);
}
int StartPage(HDC) { return PrintCall("StartPage", 1); }
int EndPage(HDC) { return PrintCall("EndPage", 1); }
int EndDoc(HDC) { return PrintCall("EndDoc", 1); }
int AbortDoc(HDC) { return PrintCall("AbortDoc", 1); }
BOOL DeleteDC(HDC) { return PrintCall("DeleteDC", TRUE); }

int GetDeviceCaps(HDC dc, int index) {
  bool screen = reinterpret_cast<uintptr_t>(dc) == kScreenDc;
  if (screen && (index == LOGPIXELSX || index == LOGPIXELSY)) {
    return state.screenDpi;
  }
  return state.deviceCaps[index];
}

HFONT CreateFontIndirectW(const LOGFONTW* font) {
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
                    std::wstring(text, count), std::vector<int>(), LOGFONTW{}, 0};
  for (UINT i = 0; advances && i < count; ++i) {
    drawn.advances.push_back(static_cast<int>(std::lround(at.eM11 * static_cast<float>(advances[i]))));
  }
  if (state.selectedFont >= 0) drawn.font = state.fonts[static_cast<size_t>(state.selectedFont)];
  SIZE face{};
  if (GetTextExtentPoint32W(nullptr, L"MMMMMMMMMM", 10, &face)) {
    drawn.glyphWidth = static_cast<double>(face.cx) * at.eM11 / 10;
  }
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

int SetStretchBltMode(HDC, int) { return 1; }

int StretchDIBits(HDC, int x, int y, int width, int height, int, int, int fromWidth,
                  int fromHeight, const void*, const BITMAPINFO*, UINT, DWORD) {
  state.drawnImages.push_back({x, y, width, height, fromWidth});
  return fromHeight;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT, void** bits, HANDLE, DWORD) {
  std::size_t stride = (static_cast<std::size_t>(info->bmiHeader.biWidth) * 3 + 3) / 4 * 4;
  state.dibSections.emplace_back(stride * static_cast<std::size_t>(std::abs(info->bmiHeader.biHeight)));
  *bits = state.dibSections.back().data();
  return HandleFor(0xB000 + state.dibSections.size());
}

BOOL GetOpenFileNameW(OPENFILENAMEW* choice) { return TakeFileChoice(state.openFileChoices, choice); }

BOOL LineTo(HDC, int x, int y) {
  int width = state.selectedPen >= 0 ? state.pens[static_cast<size_t>(state.selectedPen)] : 0;
  state.drawnLines.push_back({state.penAt.x, state.penAt.y, x, y, width});
  state.penAt = POINT{x, y};
  return TRUE;
}
