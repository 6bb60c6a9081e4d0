// Test hooks of the native Win32 stand-in: set what controls hold and what
// message boxes answer, and read back what the program did.
#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <windows.h>

struct StandInMessageBox {
  std::string text;
  std::string caption;
  unsigned type;
  HWND owner;
};

struct StandInWindow {
  std::string className;
  std::string text;
  DWORD style;
  int x, y, width, height;
  int id;
};

// A copy of the program already running, as a second copy finds it: the
// properties its main window carries, minimised or not, a dialog open or not.
struct StandInCopy {
  std::map<std::string, HANDLE> marks;
  bool minimised;
  bool dialogOpen;
};

// A text drawn on the printer, in the font that was selected for it; the
// place and advances in device units, through the world transform's
// stretch across and shift; `glyphWidth` is how wide each character's
// shape comes out on the device (its face's advance, stretched).
struct StandInText {
  int x, y;
  float stretch;
  std::wstring text;
  std::vector<int> advances;
  LOGFONTW font;
  double glyphWidth;
};

struct StandInLine {
  int x1, y1, x2, y2;
  int penWidth;
};

// A picture drawn on the printer: where, and how many pixels wide it is.
struct StandInImage { int x, y, width, height, pixelsWide; };

// A message handed to the mail program: its texts (Windows-1252), the name
// of the file attached, the window that owns it and the flags.
struct StandInMail { std::string subject, body; std::wstring fileName; HWND owner; uint32_t flags; };

struct StandInState {
  std::map<int, std::wstring> controlText;  // what each dialog control holds
  std::map<int, int> typingLimit;           // EM_LIMITTEXT per control
  std::map<int, bool> checked;              // radio buttons and check boxes
  bool shiftDown = false;                   // what GetKeyState says of Shift
  std::string windowTitle;                  // the last SetWindowTextW
  RECT clientRect{0, 0, 540, 330};          // what GetClientRect gives
  RECT formatRect{0, 0, 0, 0};              // the last EM_SETRECTNP, as kept
  int formatInset = 0;                      // what it takes off each side
  std::vector<std::string> calls;           // one line per call, in order
  std::vector<StandInMessageBox> boxes;     // message boxes shown
  std::vector<int> boxAnswers;              // answers still to give, in order
  std::vector<StandInWindow> windows;       // windows created
  std::vector<std::string> dialogsOpened;   // template names given to DialogBoxParamW
  std::vector<LPARAM> dialogParams;         // and the initialisation value of each
  std::vector<INT_PTR> dialogResults;       // what the next DialogBoxParamW calls return, else 0
  std::vector<MSG> queue;                   // messages GetMessageA will hand out
  WNDCLASSEXW registeredClass{};
  std::string registeredClassName;
  int focusId = 0;
  bool ended = false;                       // EndDialog was called
  INT_PTR endResult = -1;
  DWORD lastError = 0;
  TEXTMETRICW metrics{16, 13, 3, 0, 0, 8, 16};
  int screenDpi = 96;
  std::map<std::string, HANDLE> marks;      // SetPropW on the program's own window
  std::vector<StandInCopy> runningCopies;   // FindWindowExW finds them in order
  std::set<std::string> mutexes;            // the session's named mutexes
  // The system's default printer and its printers; by default the machine
  // has none.
  std::string defaultPrinter;
  std::vector<std::string> printers;
  // The print dialog's starting printer, from the DEVNAMES it was given.
  std::string printDialogDevice;
  // The print dialog: its answer, what CommDlgExtendedError then says (by
  // default the user cancelled), and what the program asked of it.
  BOOL printDialogAnswer = FALSE;
  DWORD printDialogError = 0;
  PRINTDLGW printDialog{};
  // The printer's device capabilities: A4 at 300 dots an inch.
  std::map<int, int> deviceCaps{{LOGPIXELSX, 300}, {LOGPIXELSY, 300}, {HORZRES, 2480},
                                {VERTRES, 3508}, {PHYSICALWIDTH, 2480}, {PHYSICALHEIGHT, 3508},
                                {PHYSICALOFFSETX, 0}, {PHYSICALOFFSETY, 0}};
  std::string failingPrintCall;              // e.g. "EndPage": that call fails
  DWORD failingPrintError = 0;               // ... with this error
  std::vector<StandInText> drawnTexts;
  std::vector<StandInLine> drawnLines;
  std::vector<StandInImage> drawnImages;
  std::map<int, std::wstring> cueBanners;   // EM_SETCUEBANNER per control
  std::map<int, HANDLE> controlImages;      // STM_SETIMAGE per control
  std::vector<std::vector<unsigned char>> dibSections;  // CreateDIBSection's pixels
  std::vector<std::wstring> openFileChoices;  // the Open dialog's, as saveFileChoices
  std::vector<LOGFONTW> fonts;               // made by CreateFontIndirectW
  std::vector<int> pens;                     // widths, made by CreatePen
  int selectedFont = -1, selectedPen = -1;
  POINT penAt{0, 0};
  XFORM transform{1, 0, 0, 1, 0, 0};
  // The dialog's list view: its row count, the selected row (-1: none) and
  // the titles of its columns.
  int listCount = 0;
  int listSelection = -1;
  std::vector<std::string> listColumns;
  std::map<int, int> columnWidths;          // in pixels, as inserted or set
  std::wstring clipboard;                   // the clipboard's text
  std::map<int, bool> disabled;             // controls disabled by EnableWindow
  LONG_PTR dialogUserData = 0;              // DWLP_USER
  std::vector<MSG> posted;                  // PostMessageW, in order
  // The Save As dialog: the files chosen, one each time it opens, in order;
  // "Cancelar" once none is left. What was asked.
  std::vector<std::wstring> saveFileChoices;
  OPENFILENAMEW saveFileDialog{};
  std::wstring saveFileDefault;             // the file name it was opened with
  HOOKPROC hook = nullptr;                  // SetWindowsHookExW's procedure
  int hookType = 0;
  bool controlDown = false;                 // and of Ctrl
  bool mailProgram = true;                  // see mailAnswer
  std::wstring commandLine = L"presupuestos.exe";
  std::vector<std::wstring> arguments;      // CommandLineToArgvW's result
  std::vector<LPWSTR> argumentPointers;
  std::vector<std::string> menuItems;       // the items the PDF button's menu offered
  int menuChoice = 0;                       // and the one chosen, 0: none
  // The mail program (mailProgram false: none, no mapi32.dll to load): what
  // its MAPISendMailW answers, and the messages handed to it.
  uint32_t mailAnswer = 0;
  std::vector<StandInMail> mails;
};

// MAPISendMailW as GetProcAddress gives it: the tests install their mail
// program, which records into StandIn().mails; null, no such entry.
extern FARPROC StandInMailEntry;

// The one process-wide stand-in state; StandInReset() empties it.
StandInState& StandIn();
void StandInReset();

// A dialog handle tests pass to dialog procedures.
HWND StandInDialog();

// The control id that a handle from GetDlgItem stands for.
int StandInControlId(HWND control);

// Windows-1252 to and from wide text, by the C library's own conversion
// (not the program's), for setting and reading what the controls hold.
// The stand-in's records (window and box texts, calls) are in Windows-1252.
std::wstring StandInWiden(const std::string& text);
std::string StandInNarrow(const std::wstring& text);
