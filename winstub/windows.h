// Native stand-in for <windows.h>: the few Win32 types, constants and wide
// ("W") calls the program uses, so its logic builds and is tested off Windows.
#pragma once
#ifdef _WIN32
#error "winstub/windows.h is for native builds only"
#endif

#include <cstddef>
#include <cstdint>

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef uint32_t DWORD;
typedef unsigned int UINT;
typedef int32_t LONG;  // 32 bits, as on every Windows target
typedef intptr_t INT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t UINT_PTR;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef unsigned short ATOM;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef void* LPVOID;
typedef int INT;
typedef wchar_t WCHAR;
typedef const WCHAR* LPCWSTR;
typedef WCHAR* LPWSTR;
typedef DWORD COLORREF;
typedef float FLOAT;

struct StandInHandle;
typedef StandInHandle* HWND;
typedef StandInHandle* HINSTANCE;
typedef StandInHandle* HMODULE;
typedef StandInHandle* HDC;
typedef StandInHandle* HBITMAP;
typedef StandInHandle* HICON;
typedef StandInHandle* HCURSOR;
typedef StandInHandle* HBRUSH;
typedef StandInHandle* HMENU;
typedef StandInHandle* HGDIOBJ;
typedef StandInHandle* HANDLE;
typedef StandInHandle* HFONT;
typedef StandInHandle* HPEN;
typedef StandInHandle* HGLOBAL;
typedef StandInHandle* HHOOK;
typedef StandInHandle* HLOCAL;

#define WINAPI
#define CALLBACK
#define TRUE 1
#define FALSE 0

typedef LRESULT (*WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef INT_PTR (*DLGPROC)(HWND, UINT, WPARAM, LPARAM);
typedef LRESULT (*HOOKPROC)(int, WPARAM, LPARAM);

#define MAKELONG(low, high) static_cast<LONG>((static_cast<DWORD>(low) & 0xFFFF) | ((static_cast<DWORD>(high) & 0xFFFF) << 16))
#define LOWORD(l) ((WORD)(((UINT_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((UINT_PTR)(l)) >> 16) & 0xffff))
#define MAKEWPARAM(l, h) ((WPARAM)(((WORD)(l)) | (((DWORD)(WORD)(h)) << 16)))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)(((WORD)(l)) | (((DWORD)(WORD)(h)) << 16)))
#define MAKEINTRESOURCEW(i) ((LPWSTR)((UINT_PTR)((WORD)(i))))
#define RGB(r, g, b) ((COLORREF)((BYTE)(r) | ((DWORD)(BYTE)(g) << 8) | ((DWORD)(BYTE)(b) << 16)))

struct POINT { LONG x; LONG y; };
struct SIZE { LONG cx; LONG cy; };
struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
};
struct WNDCLASSEXW {
  UINT cbSize;
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCWSTR lpszMenuName;
  LPCWSTR lpszClassName;
  HICON hIconSm;
};
struct CREATESTRUCTW {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCWSTR lpszName;
  LPCWSTR lpszClass;
  DWORD dwExStyle;
};
struct TEXTMETRICW {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
};

struct RECT { LONG left; LONG top; LONG right; LONG bottom; };
struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
};

// Pictures: the logo drawn on the page and its preview in a dialog.
struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth, biHeight;
  WORD biPlanes, biBitCount;
  DWORD biCompression, biSizeImage;
  LONG biXPelsPerMeter, biYPelsPerMeter;
  DWORD biClrUsed, biClrImportant;
};
struct RGBQUAD { BYTE rgbBlue, rgbGreen, rgbRed, rgbReserved; };
struct BITMAPINFO { BITMAPINFOHEADER bmiHeader; RGBQUAD bmiColors[1]; };
#define BI_RGB 0L
#define DIB_RGB_COLORS 0
#define SRCCOPY 0x00CC0020
#define HALFTONE 4
#define OFN_FILEMUSTEXIST 0x00001000
struct LOGFONTW {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  WCHAR lfFaceName[32];
};
struct XFORM {
  FLOAT eM11;
  FLOAT eM12;
  FLOAT eM21;
  FLOAT eM22;
  FLOAT eDx;
  FLOAT eDy;
};
struct DOCINFOW {
  int cbSize;
  LPCWSTR lpszDocName;
  LPCWSTR lpszOutput;
  LPCWSTR lpszDatatype;
  DWORD fwType;
};
struct DEVNAMES {
  WORD wDriverOffset;
  WORD wDeviceOffset;
  WORD wOutputOffset;
  WORD wDefault;
};
struct PRINTER_INFO_4W {
  WCHAR* pPrinterName;
  WCHAR* pServerName;
  DWORD Attributes;
};
// The fields of the print dialog's structure that the program sets or reads.
struct PRINTDLGW {
  DWORD lStructSize;
  HWND hwndOwner;
  HGLOBAL hDevMode;
  HGLOBAL hDevNames;
  HDC hDC;
  DWORD Flags;
  WORD nFromPage;
  WORD nToPage;
  WORD nMinPage;
  WORD nMaxPage;
  WORD nCopies;
};

// The notices that common controls send their dialog, and the list view's
// rows as they are asked for.
struct NMHDR {
  HWND hwndFrom;
  UINT_PTR idFrom;
  UINT code;
};
struct LVITEMW {
  UINT mask;
  int iItem;
  int iSubItem;
  UINT state;
  UINT stateMask;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
};
struct NMLVDISPINFOW {
  NMHDR hdr;
  LVITEMW item;
};
struct NMITEMACTIVATE {
  NMHDR hdr;
  int iItem;
  int iSubItem;
};
struct LVCOLUMNW {
  UINT mask;
  int fmt;
  int cx;
  LPWSTR pszText;
  int cchTextMax;
  int iSubItem;
};
// The fields of the Save As dialog's structure that the program sets.
struct OPENFILENAMEW {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCWSTR lpstrFilter;
  LPWSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;
  LPWSTR lpstrFile;
  DWORD nMaxFile;
  LPWSTR lpstrFileTitle;
  DWORD nMaxFileTitle;
  LPCWSTR lpstrInitialDir;
  LPCWSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  LPCWSTR lpstrDefExt;
};

// Messages.
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_NOTIFY 0x004E
#define WM_KEYDOWN 0x0100
#define EN_CHANGE 0x0300
#define EN_MAXTEXT 0x0501
#define WM_PASTE 0x0302
#define WM_NCDESTROY 0x0082
#define EM_GETSEL 0x00B0
#define EM_REPLACESEL 0x00C2
#define EM_GETLIMITTEXT 0x00D5
#define CF_UNICODETEXT 13
#define GWLP_WNDPROC (-4)
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define EM_LIMITTEXT 0x00C5
#define EM_SETRECTNP 0x00B4
#define EM_GETRECT 0x00B2
#define EM_SETMARGINS 0x00D3
#define EM_SETWORDBREAKPROC 0x00D0
#define WB_LEFT 0
#define WB_RIGHT 1
#define WB_ISDELIMITER 2
#define EC_LEFTMARGIN 0x0001
#define EC_RIGHTMARGIN 0x0002
#define WM_GETFONT 0x0031
#define BST_UNCHECKED 0
#define BST_CHECKED 1
#define VK_SHIFT 0x10
#define STM_SETIMAGE 0x0172
#define WM_SETFONT 0x0030

// Styles.
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define WS_OVERLAPPEDWINDOW 0x00CF0000L
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define SS_BITMAP 0x0000000EL
#define CW_USEDEFAULT ((int)0x80000000)
#define SW_SHOW 5
#define SW_SHOWDEFAULT 10
#define SW_SHOWNORMAL 1
#define MF_STRING 0x00000000L
#define TPM_RIGHTALIGN 0x0008L
#define TPM_NONOTIFY 0x0080L
#define TPM_RETURNCMD 0x0100L
#define DWLP_USER 16
#define VK_CONTROL 0x11
#define WH_MSGFILTER (-1)
#define MSGF_DIALOGBOX 0

// Common controls: the list view.
#define NM_DBLCLK (0U - 3U)
#define LVN_GETDISPINFOW (0U - 177U)
#define LVM_GETNEXTITEM 0x100C
#define LVM_ENSUREVISIBLE 0x1013
#define LVM_SETITEMSTATE 0x102B
#define LVM_SETITEMCOUNT 0x102F
#define LVM_SETEXTENDEDLISTVIEWSTYLE 0x1036
#define LVM_INSERTCOLUMNW 0x1061
#define LVM_SETCOLUMNWIDTH 0x101E
#define LVM_GETSTRINGWIDTHW 0x1057
#define LVIF_TEXT 0x0001
#define LVIS_FOCUSED 0x0001
#define LVIS_SELECTED 0x0002
#define LVNI_SELECTED 0x0002
#define LVCF_FMT 0x0001
#define LVCF_WIDTH 0x0002
#define LVCF_TEXT 0x0004
#define LVCFMT_LEFT 0
#define LVCFMT_RIGHT 1
#define LVS_EX_GRIDLINES 0x00000001
#define LVS_EX_FULLROWSELECT 0x00000020
#define LVSICF_NOSCROLL 0x00000002

// The Save As dialog.
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_EXPLORER 0x00080000
#define SW_RESTORE 9
#define SWP_NOSIZE 0x0001
#define SWP_NOZORDER 0x0004
#define SWP_NOACTIVATE 0x0010
#define SM_CXSMICON 49
#define SM_CYSMICON 50

// Resources and GDI.
#define IDI_APPLICATION MAKEINTRESOURCEW(32512)
#define IDC_ARROW MAKEINTRESOURCEW(32512)
#define LTGRAY_BRUSH 1
#define IMAGE_BITMAP 0
#define IMAGE_ICON 1
#define LR_DEFAULTCOLOR 0x00000000
#define LR_COPYDELETEORG 0x00000008
#define LR_LOADFROMFILE 0x00000010
#define LF_FACESIZE 32

// Dialog results and message boxes.
#define IDOK 1
#define IDCANCEL 2
#define IDYES 6
#define IDNO 7
#define MB_OK 0x00000000L
#define MB_YESNO 0x00000004L
#define MB_YESNOCANCEL 0x00000003L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONINFORMATION 0x00000040L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONWARNING MB_ICONEXCLAMATION

// Files.
#define GENERIC_READ 0x80000000L
#define GENERIC_WRITE 0x40000000L
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define FILE_SHARE_DELETE 0x00000004
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define INVALID_FILE_ATTRIBUTES (static_cast<DWORD>(-1))
#define ERROR_WRITE_PROTECT 19L
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)))
#define ERROR_ACCESS_DENIED 5L
#define ERROR_SHARING_VIOLATION 32L
#define ERROR_LOCK_VIOLATION 33L
#define ERROR_ALREADY_EXISTS 183L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_CANCELLED 1223L

// Printing: the print dialog, device capabilities, fonts and pens.
#define PD_NOSELECTION 0x00000004
#define PD_NOPAGENUMS 0x00000008
#define PD_NOWARNING 0x00000080
#define PD_RETURNDC 0x00000100
#define PD_USEDEVMODECOPIESANDCOLLATE 0x00040000
#define PD_DISABLEPRINTTOFILE 0x00080000
#define PD_HIDEPRINTTOFILE 0x00100000
#define PRINTER_ENUM_LOCAL 0x00000002
#define PRINTER_ENUM_CONNECTIONS 0x00000004
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define PDERR_NODEFAULTPRN 0x1008
#define PDERR_PRINTERNOTFOUND 0x100B
#define HORZRES 8
#define VERTRES 10
#define LOGPIXELSX 88
#define LOGPIXELSY 90
#define PHYSICALWIDTH 110
#define PHYSICALHEIGHT 111
#define PHYSICALOFFSETX 112
#define PHYSICALOFFSETY 113
#define FW_NORMAL 400
#define FW_BOLD 700
#define DEFAULT_CHARSET 1
#define OUT_TT_PRECIS 4
#define FIXED_PITCH 1
#define FF_MODERN 0x30
#define TA_LEFT 0
#define TA_BASELINE 24
#define TRANSPARENT 1
#define PS_SOLID 0
#define GM_ADVANCED 2
#define MWT_IDENTITY 1

// Window class, windows and message loop.
HGDIOBJ GetStockObject(int object);
HCURSOR LoadCursorW(HINSTANCE instance, LPCWSTR name);
HICON LoadIconW(HINSTANCE instance, LPCWSTR name);
ATOM RegisterClassExW(const WNDCLASSEXW* windowClass);
int GetSystemMetrics(int index);
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                     int x, int y, int width, int height, HWND parent, HMENU menu,
                     HINSTANCE instance, LPVOID param);
BOOL ShowWindow(HWND window, int show);
BOOL GetMessageW(MSG* msg, HWND window, UINT filterMin, UINT filterMax);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageW(const MSG* msg);
LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
HDC GetDC(HWND window);
BOOL GetClientRect(HWND window, RECT* rect);
BOOL GetTextMetricsW(HDC dc, TEXTMETRICW* metrics);
int ReleaseDC(HWND window, HDC dc);
HANDLE LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int cx, int cy, UINT load);
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int GetObjectW(HANDLE object, int size, LPVOID buffer);
HANDLE CopyImage(HANDLE image, UINT type, int cx, int cy, UINT flags);
int MulDiv(int number, int numerator, int denominator);
LPWSTR lstrcpynW(LPWSTR to, LPCWSTR from, int capacity);
HWND GetParent(HWND window);
BOOL GetWindowRect(HWND window, RECT* rect);
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
BOOL SetWindowPos(HWND window, HWND after, int x, int y, int cx, int cy, UINT flags);

// Other copies' windows: found by class, marked with properties, brought forward.
HWND FindWindowExW(HWND parent, HWND after, LPCWSTR className, LPCWSTR windowName);
BOOL SetPropW(HWND window, LPCWSTR name, HANDLE value);
HANDLE GetPropW(HWND window, LPCWSTR name);
BOOL IsIconic(HWND window);
HWND GetLastActivePopup(HWND window);
BOOL SetForegroundWindow(HWND window);
BOOL BringWindowToTop(HWND window);

// Dialogs.
INT_PTR DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner,
                        DLGPROC procedure, LPARAM initParam);
LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
BOOL SetDlgItemTextW(HWND dialog, int id, LPCWSTR text);
UINT GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int capacity);
HWND GetDlgItem(HWND dialog, int id);
HWND SetFocus(HWND control);
BOOL CheckRadioButton(HWND dialog, int first, int last, int checked);
UINT IsDlgButtonChecked(HWND dialog, int id);
short GetKeyState(int key);
BOOL SetWindowTextW(HWND window, LPCWSTR text);
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
BOOL EndDialog(HWND dialog, INT_PTR result);
BOOL EnableWindow(HWND window, BOOL enable);
BOOL MapDialogRect(HWND dialog, RECT* rect);
LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value);
LONG_PTR GetWindowLongPtrW(HWND window, int index);
LRESULT CallWindowProcW(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HANDLE RemovePropW(HWND window, LPCWSTR name);
int GetDlgCtrlID(HWND control);
BOOL MessageBeep(UINT type);

// The clipboard: text only.
BOOL OpenClipboard(HWND owner);
HANDLE GetClipboardData(UINT format);
BOOL CloseClipboard();
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL IsChild(HWND parent, HWND window);
HMODULE GetModuleHandleW(LPCWSTR name);
BOOL GetSaveFileNameW(OPENFILENAMEW* choice);

// The PDF's menu, the folder it is in, and the mail program's Simple MAPI.
typedef INT_PTR (*FARPROC)();
HMENU CreatePopupMenu();
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR id, LPCWSTR text);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);
BOOL DestroyMenu(HMENU menu);
HINSTANCE ShellExecuteW(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR folder,
                        int show);
HMODULE LoadLibraryW(LPCWSTR name);
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
BOOL FreeLibrary(HMODULE module);

// The keyboard hook that gives the list and modify dialogs their Ctrl+B.
HHOOK SetWindowsHookExW(int type, HOOKPROC procedure, HINSTANCE module, DWORD thread);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
DWORD GetCurrentThreadId();

// The command line.
LPWSTR GetCommandLineW();
LPWSTR* CommandLineToArgvW(LPCWSTR commandLine, int* count);
HLOCAL LocalFree(HLOCAL memory);

// Attributes of a real file in the working folder.
DWORD GetFileAttributesW(LPCWSTR name);
// The session's named objects.
// A named mutex of the session: ERROR_ALREADY_EXISTS from GetLastError
// where the name was taken.
HANDLE CreateMutexW(LPVOID security, BOOL owned, LPCWSTR name);

// Printing through the spooler.
BOOL GetDefaultPrinterW(LPWSTR buffer, DWORD* size);
BOOL PrintDlgW(PRINTDLGW* choice);
DWORD CommDlgExtendedError();
HGLOBAL GlobalFree(HGLOBAL memory);
HGLOBAL GlobalAlloc(UINT flags, size_t size);
LPVOID GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);
BOOL EnumPrintersW(DWORD flags, LPWSTR name, DWORD level, BYTE* buffer, DWORD size, DWORD* needed,
                   DWORD* returned);
BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size);

// INI files through the profile functions, and full paths.
#define MAX_PATH 260
DWORD GetFullPathNameW(LPCWSTR name, DWORD size, LPWSTR buffer, LPWSTR* filePart);
// POSIX has no short names: an existing path is its own long form.
DWORD GetLongPathNameW(LPCWSTR path, LPWSTR buffer, DWORD size);
DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR fallback, LPWSTR buffer,
                               DWORD size, LPCWSTR path);
BOOL WritePrivateProfileStringW(LPCWSTR section, LPCWSTR key, LPCWSTR value, LPCWSTR path);
int StartDocW(HDC dc, const DOCINFOW* document);
int StartPage(HDC dc);
int EndPage(HDC dc);
int EndDoc(HDC dc);
int AbortDoc(HDC dc);
BOOL DeleteDC(HDC dc);
int GetDeviceCaps(HDC dc, int index);
HFONT CreateFontIndirectW(const LOGFONTW* font);
HPEN CreatePen(int style, int width, COLORREF color);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
UINT SetTextAlign(HDC dc, UINT align);
int SetBkMode(HDC dc, int mode);
BOOL ExtTextOutW(HDC dc, int x, int y, UINT options, const RECT* clip, LPCWSTR text, UINT count,
                 const INT* advances);
int SetGraphicsMode(HDC dc, int mode);
BOOL SetWorldTransform(HDC dc, const XFORM* transform);
BOOL ModifyWorldTransform(HDC dc, const XFORM* transform, DWORD mode);
BOOL MoveToEx(HDC dc, int x, int y, POINT* previous);
BOOL LineTo(HDC dc, int x, int y);
int SetStretchBltMode(HDC dc, int mode);
int StretchDIBits(HDC dc, int x, int y, int width, int height, int fromX, int fromY,
                  int fromWidth, int fromHeight, const void* bits, const BITMAPINFO* info,
                  UINT usage, DWORD operation);
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits,
                         HANDLE section, DWORD offset);
BOOL GetOpenFileNameW(OPENFILENAMEW* choice);
DWORD GetLastError();

#define WinMain StandInWinMain
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);
