// The search and export cases. The words searched for are found in every
// quote, then in none: every record is folded and searched twice over.
#include "bench/search_cases.h"

#include <cstdio>
#include <string>

#include "bench/floors.h"
#include "dialogs/quote_search.h"
#include "dialogs/search_dialog.h"
#include "resources/resource.h"
#include "store/quote_export.h"
#include "winstub/stand_in.h"

namespace {

const char kWords[] = "obra pe\xF1" "a";

// A search dialog open on the folder's quotes, its call log emptied so that
// it does not grow with the runs.
void OpenSearchDialog(int32_t) {
  if (StandIn().dialogUserData) SearchDialogProc(StandInDialog(), WM_DESTROY, 0, 0);
  StandInReset();
  SearchDialogProc(StandInDialog(), WM_INITDIALOG, 0, 0);
  StandIn().calls.clear();
}

// One letter typed: "cliente 123" lists quote 123 and the others with 123
// in them (300 of 100 000); the list then asks for the columns
// of its first screen of rows.
void TypeLetter(int32_t) {
  StandIn().controlText[IDC_SEARCH_TEXT] = L"cliente 123";
  SearchDialogProc(StandInDialog(), WM_COMMAND, MAKEWPARAM(IDC_SEARCH_TEXT, EN_CHANGE), 0);
  wchar_t text[260];
  for (int row = 0; row < 30 && row < StandIn().listCount; ++row) {
    for (int column = 0; column < 6; ++column) {
      NMLVDISPINFOW info{};
      info.hdr.idFrom = IDC_SEARCH_LIST;
      info.hdr.code = LVN_GETDISPINFOW;
      info.item.mask = LVIF_TEXT;
      info.item.iItem = row;
      info.item.iSubItem = column;
      info.item.pszText = text;
      info.item.cchTextMax = 260;
      SearchDialogProc(StandInDialog(), WM_NOTIFY, IDC_SEARCH_LIST, reinterpret_cast<LPARAM>(&info));
    }
  }
}

}  // namespace

void AddSearchCases(std::vector<BenchCase>& cases, const std::vector<int32_t>& sizes) {
  for (int32_t quotes : sizes) {
    cases.push_back({"Search every field", quotes, [](int32_t n) { FindQuotes(kWords, n); },
                     [](int32_t n) { ReadFloor(n); }, nullptr, false, false});
    cases.push_back({"Search keystroke in the dialog", quotes, TypeLetter, nullptr,
                     OpenSearchDialog, false, false});
    cases.push_back({"Export every quote", quotes,
                     [](int32_t n) { ExportQuotes(L"presupuestos.csv", n); },
                     [](int32_t n) { ExportFloor(n); }, nullptr, true, false});
  }
}
