// The search dialog. Its list is a virtual list view: the dialog keeps only
// the numbers of the quotes listed, and reads a row when the list shows it.
#include "dialogs/search_dialog.h"

#include <string>
#include <vector>

#include "common/number_text.h"
#include "common/windows1252.h"
#include "dialogs/export_choice.h"
#include "dialogs/failure_message.h"
#include "dialogs/quote_dialogs.h"
#include "dialogs/quote_printing.h"
#include "dialogs/quote_search.h"
#include "dialogs/search_rows.h"
#include "dialogs/window_text.h"
#include "resources/resource.h"
#include "store/quote_file.h"
#include "store/quote_record.h"

namespace {

// Each search dialog's own state: one opened from the list dialog can stand
// over another opened from the main window.
struct Search {
  bool choosing = false;
  bool filtered = false;         // words were typed
  std::vector<int32_t> numbers;  // the quotes listed, newest first
  SearchRowCache rows;
};

constexpr std::size_t kMostTyped = 256;
// The number column's laid-out width, and the room its cells keep beside a
// number, in dialog units.
constexpr int kNumberColumnUnits = 26;
constexpr int kNumberMarginUnits = 8;

Search& StateOf(HWND dialog) {
  return *reinterpret_cast<Search*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

LRESULT ToList(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendDlgItemMessageW(dialog, IDC_SEARCH_LIST, message, wParam, lParam);
}

void AddColumns(HWND dialog) {
  struct Column {
    const char* title;
    int width;  // dialog units
    int format;
  };
  const Column columns[kSearchColumns] = {{"N\xBA", kNumberColumnUnits, LVCFMT_RIGHT}, {"Fecha", 50, LVCFMT_LEFT},
                                          {"Nombre", 80, LVCFMT_LEFT}, {"Domicilio", 72, LVCFMT_LEFT},
                                          {"Total", 40, LVCFMT_RIGHT}, {"Texto", 104, LVCFMT_LEFT}};
  for (int i = 0; i < kSearchColumns; ++i) {
    RECT size{0, 0, columns[i].width, 0};
    MapDialogRect(dialog, &size);
    std::wstring title = Widen(columns[i].title);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = columns[i].format;
    column.cx = size.right;
    column.pszText = &title[0];
    ToList(dialog, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
  }
  ToList(dialog, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

int DialogUnitsAcross(HWND dialog, int units) {
  RECT size{0, 0, units, 0};
  MapDialogRect(dialog, &size);
  return size.right;
}

// The number column as wide as the largest number needs, so that none is
// cut to "10..."; never narrower than laid out.
void FitNumberColumn(HWND dialog) {
  std::wstring largest = Widen(IntToText(RecordCount, 0));
  auto text = static_cast<int>(
      ToList(dialog, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(largest.c_str())));
  int width = text + DialogUnitsAcross(dialog, kNumberMarginUnits);
  int laidOut = DialogUnitsAcross(dialog, kNumberColumnUnits);
  ToList(dialog, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(width > laidOut ? width : laidOut, 0));
}

void Select(HWND dialog, int row) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = item.stateMask;
  ToList(dialog, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  ToList(dialog, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void ShowCount(HWND dialog, const Search& search) {
  auto listed = static_cast<int32_t>(search.numbers.size());
  std::string text = CountText(listed);
  if (search.filtered) text += " de " + CountText(RecordCount);
  text += RecordCount == 1 && listed == 1 ? " presupuesto" : " presupuestos";
  SetControlText(dialog, IDC_SEARCH_COUNT, text);
}

// Lists the quotes that match what is typed, with the row of quote `keep`
// selected when it is listed, else the first.
void Run(HWND dialog, Search& search, int32_t keep) {
  std::string typed = ControlText(dialog, IDC_SEARCH_TEXT, kMostTyped);
  // The old list goes first, so that two are never held at once; the list
  // view asks for no row until it is told the new count.
  std::vector<int32_t>().swap(search.numbers);
  // Each search counts the quotes that other copies stored meanwhile.
  search.numbers = FindQuotes(typed, CatchUpCount());
  search.filtered = typed.find_first_not_of(" \t") != std::string::npos;
  ClearSearchRows(search.rows);
  // A quote stored meanwhile (by "Copiar a nuevo" or another copy) may be
  // the first of a longer number.
  FitNumberColumn(dialog);
  ToList(dialog, LVM_SETITEMCOUNT, search.numbers.size(), 0);
  int row = 0;
  for (std::size_t i = 0; i < search.numbers.size(); ++i) {
    if (search.numbers[i] == keep) row = static_cast<int>(i);
  }
  if (!search.numbers.empty()) Select(dialog, row);
  InvalidateRect(GetDlgItem(dialog, IDC_SEARCH_LIST), nullptr, TRUE);
  ShowCount(dialog, search);
}

// The number of the quote in the selected row; 0 when none is.
int32_t Chosen(HWND dialog, const Search& search) {
  auto row = static_cast<int>(ToList(dialog, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (row < 0 || static_cast<std::size_t>(row) >= search.numbers.size()) return 0;
  return search.numbers[static_cast<std::size_t>(row)];
}

void ShowRowText(Search& search, NMLVDISPINFOW& info) {
  LVITEMW& item = info.item;
  if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
  item.pszText[0] = L'\0';
  if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= search.numbers.size() ||
      item.iSubItem < 0 || item.iSubItem >= kSearchColumns) {
    return;
  }
  const SearchRow& row = CachedSearchRow(search.rows, search.numbers[static_cast<std::size_t>(item.iItem)]);
  const std::wstring& text = row.texts[static_cast<std::size_t>(item.iSubItem)];
  std::size_t length = text.size() < static_cast<std::size_t>(item.cchTextMax)
                           ? text.size()
                           : static_cast<std::size_t>(item.cchTextMax) - 1;
  text.copy(item.pszText, length);
  item.pszText[length] = L'\0';
}

HINSTANCE Program() { return GetModuleHandleW(nullptr); }

// "Ver" (also Enter and a double click) and "Modificar": the quote opened in
// the list or modify dialog, or, when choosing, handed back to the dialog
// that asked.
void Open(HWND dialog, Search& search, bool modify) {
  int32_t number = Chosen(dialog, search);
  if (number == 0) return;
  if (search.choosing) {
    EndDialog(dialog, number);
    return;
  }
  if (!modify) {
    DialogBoxParamW(Program(), L"ListarPresupuesto", dialog, ListQuoteDialogProc, number);
    return;
  }
  DialogBoxParamW(Program(), L"ModificarPresupuesto", dialog, ModifyQuoteDialogProc, number);
  Run(dialog, search, number);
}

void CopyToNew(HWND dialog, Search& search) {
  int32_t number = Chosen(dialog, search);
  if (number == 0 || search.choosing) return;
  QuoteRecord copied;
  if (!LoadQuote(number, copied)) {
    TellUnreadable(dialog, number);
    return;
  }
  DialogBoxParamW(Program(), L"NuevoPresupuesto", dialog, NewQuoteDialogProc,
                  reinterpret_cast<LPARAM>(&copied));
  Run(dialog, search, number);
}

// "Guardar PDF" and "Enviar por correo" on the chosen quote, as stored.
void OutputChosen(HWND dialog, const Search& search, QuoteOutput output) {
  int32_t number = Chosen(dialog, search);
  if (number == 0) return;
  QuoteRecord quote;
  if (!LoadQuote(number, quote)) {
    TellUnreadable(dialog, number);
    return;
  }
  if (!PrintsWhole(dialog, quote, output)) return;
  OutputForDialog(dialog, quote, number, output, false);
}

void Begin(HWND dialog, bool choosing) {
  auto* search = new Search;
  search->choosing = choosing;
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(search));
  SendDlgItemMessageW(dialog, IDC_SEARCH_TEXT, EM_LIMITTEXT, kMostTyped - 1, 0);
  AddColumns(dialog);
  // Chosen here, a copy would take the working copy from under the dialog
  // that asked.
  if (choosing) EnableWindow(GetDlgItem(dialog, IDC_COPY_NEW), FALSE);
  Run(dialog, *search, 0);
  SetFocus(GetDlgItem(dialog, IDC_SEARCH_TEXT));
}

void Command(HWND dialog, Search& search, int id, int notification) {
  if (EndedByCancel(dialog, id)) return;
  switch (id) {
    case IDC_SEARCH_TEXT:
      if (notification == EN_CHANGE) Run(dialog, search, 0);
      break;
    case IDOK:
    case IDC_VIEW:
      Open(dialog, search, false);
      break;
    case IDC_MODIFY_QUOTE:
      Open(dialog, search, true);
      break;
    case IDC_COPY_NEW:
      CopyToNew(dialog, search);
      break;
    case IDC_EXPORT:
      ExportChosenQuotes(dialog, search.filtered ? &search.numbers : nullptr);
      break;
    case IDC_SAVE_PDF:
      OutputChosen(dialog, search, QuoteOutput::Pdf);
      break;
    case IDC_MAIL:
      OutputChosen(dialog, search, QuoteOutput::Mail);
      break;
    default:
      break;
  }
}

void Notice(HWND dialog, Search& search, NMHDR& notice) {
  if (notice.idFrom != IDC_SEARCH_LIST) return;
  if (notice.code == LVN_GETDISPINFOW) ShowRowText(search, reinterpret_cast<NMLVDISPINFOW&>(notice));
  if (notice.code == NM_DBLCLK) Open(dialog, search, false);
}

}  // namespace

INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Begin(dialog, lParam == kChooseQuote);
      return FALSE;
    case WM_COMMAND:
      if (GetWindowLongPtrW(dialog, DWLP_USER)) {
        Command(dialog, StateOf(dialog), LOWORD(wParam), HIWORD(wParam));
      }
      return TRUE;
    case WM_NOTIFY:
      if (GetWindowLongPtrW(dialog, DWLP_USER)) {
        Notice(dialog, StateOf(dialog), *reinterpret_cast<NMHDR*>(lParam));
      }
      return TRUE;
    case WM_DESTROY:
      delete reinterpret_cast<Search*>(SetWindowLongPtrW(dialog, DWLP_USER, 0));
      return FALSE;
    default:
      return FALSE;
  }
}

void OpenSearch(HWND owner) {
  DialogBoxParamW(GetModuleHandleW(nullptr), L"BuscarPresupuesto", owner, SearchDialogProc, 0);
}

int32_t ChooseQuote(HWND owner) {
  return static_cast<int32_t>(DialogBoxParamW(GetModuleHandleW(nullptr), L"BuscarPresupuesto",
                                              owner, SearchDialogProc, kChooseQuote));
}
