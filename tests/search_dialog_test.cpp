// The search dialog over the real store: the list and its rows, narrowing as
// one types, what opens from the chosen row, the export; and the list and
// modify dialogs opened on a quote and moved there by Ctrl+B.
#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/browse.h"
#include "dialogs/export_choice.h"
#include "dialogs/quote_dialogs.h"
#include "dialogs/search_dialog.h"
#include "tests/dialog_driver.h"

namespace {

using SearchDialog = DialogTest;

// What the list shows in one row, as the list view asks for it.
std::vector<std::string> Row(int row) {
  std::vector<std::string> texts;
  for (int column = 0; column < 6; ++column) {
    wchar_t text[8] = L"?";
    NMLVDISPINFOW info{};
    info.hdr.idFrom = IDC_SEARCH_LIST;
    info.hdr.code = LVN_GETDISPINFOW;
    info.item.mask = LVIF_TEXT;
    info.item.iItem = row;
    info.item.iSubItem = column;
    info.item.pszText = text;
    info.item.cchTextMax = 8;  // long texts are cut to what the list gives room for
    SearchDialogProc(StandInDialog(), WM_NOTIFY, IDC_SEARCH_LIST, reinterpret_cast<LPARAM>(&info));
    texts.push_back(StandInNarrow(text));
  }
  return texts;
}

void TypeSearch(const std::string& text) {
  Type(IDC_SEARCH_TEXT, text);
  Press(SearchDialogProc, IDC_SEARCH_TEXT, EN_CHANGE);
}

void Close() { SearchDialogProc(StandInDialog(), WM_DESTROY, 0, 0); }

TEST_F(SearchDialog, ListsEveryQuoteNarrowsAsOneTypesAndOpensTheChosenOne) {
  // Five stored quotes, six counted: quote 6 cannot be read.
  StoreQuotes(5);
  RecordCount = 6;
  EXPECT_EQ(Open(SearchDialogProc), FALSE);
  EXPECT_EQ(StandIn().listColumns,
            (std::vector<std::string>{"N\xBA", "Fecha", "Nombre", "Domicilio", "Total", "Texto"}));
  EXPECT_EQ(StandIn().focusId, IDC_SEARCH_TEXT);
  EXPECT_EQ(StandIn().listCount, 6);
  EXPECT_EQ(StandIn().listSelection, 0);
  EXPECT_EQ(Shown(IDC_SEARCH_COUNT), "6 presupuestos");
  EXPECT_EQ(Row(0), (std::vector<std::string>{"6", "", "(no se ", "", "", ""}));
  EXPECT_EQ(Row(1), (std::vector<std::string>{"5", "5/12/20", "Cliente", "Calle 5", "5,00", "Linea 5"}));
  EXPECT_EQ(Row(6), (std::vector<std::string>{"", "", "", "", "", ""}));

  TypeSearch("CLIENTE 3");
  EXPECT_EQ(StandIn().listCount, 1);
  EXPECT_EQ(Shown(IDC_SEARCH_COUNT), "1 de 6 presupuestos");
  EXPECT_EQ(Row(0)[0], "3");

  // "Ver", Enter and a double click open the list dialog on it; "Modificar"
  // the modify dialog; "Copiar a nuevo" the new-quote dialog with a copy.
  Press(SearchDialogProc, IDC_VIEW);
  Press(SearchDialogProc, IDOK);
  NMHDR doubleClick{nullptr, IDC_SEARCH_LIST, NM_DBLCLK};
  SearchDialogProc(StandInDialog(), WM_NOTIFY, IDC_SEARCH_LIST, reinterpret_cast<LPARAM>(&doubleClick));
  Press(SearchDialogProc, IDC_MODIFY_QUOTE);
  Press(SearchDialogProc, IDC_COPY_NEW);
  EXPECT_EQ(StandIn().dialogsOpened,
            (std::vector<std::string>{"ListarPresupuesto", "ListarPresupuesto", "ListarPresupuesto",
                                      "ModificarPresupuesto", "NuevoPresupuesto"}));
  auto& params = StandIn().dialogParams;
  EXPECT_EQ((std::vector<LPARAM>(params.begin(), params.begin() + 4)),
            (std::vector<LPARAM>{3, 3, 3, 3}));
  EXPECT_NE(params[4], 0);
  EXPECT_FALSE(StandIn().ended);

  // Nothing listed: nothing opens. The unreadable quote cannot be copied.
  TypeSearch("nadie");
  EXPECT_EQ(StandIn().listCount, 0);
  EXPECT_EQ(Shown(IDC_SEARCH_COUNT), "0 de 6 presupuestos");
  Press(SearchDialogProc, IDC_VIEW);
  TypeSearch("6");
  Press(SearchDialogProc, IDC_COPY_NEW);
  EXPECT_EQ(StandIn().dialogsOpened.size(), 5u);
  ASSERT_EQ(StandIn().boxes.size(), 1u);
  ExpectNotice(StandIn().boxes[0], "No se ha podido leer el presupuesto 6 de datos.dat.");

  // Large counts (a damaged one here) read with thousands dots.
  RecordCount = 1094795585;
  TypeSearch("cliente 3");
  EXPECT_EQ(Shown(IDC_SEARCH_COUNT), "1 de 1.094.795.585 presupuestos");
  TypeSearch("");
  EXPECT_EQ(Shown(IDC_SEARCH_COUNT), "1.005 presupuestos");
  Press(SearchDialogProc, IDCANCEL);
  EXPECT_TRUE(StandIn().ended);
  EXPECT_EQ(StandIn().endResult, 0);
  Close();
  EXPECT_EQ(StandIn().dialogUserData, 0);

  // The number column: 26 dialog units (52 pixels), or where wider the
  // largest number at 8 pixels a digit and 8 beside it.
  for (auto [count, width] : {std::pair{6, 52}, std::pair{99999, 56}, std::pair{100000, 64}}) {
    RecordCount = count;
    Open(SearchDialogProc);
    EXPECT_EQ(std::make_pair(StandIn().columnWidths[0], StandIn().columnWidths[1]),
              std::make_pair(width, 100)) << count;
    Close();
  }
}

TEST_F(SearchDialog, OpenedToChooseItHandsBackTheNumber) {
  StoreQuotes(4);
  SearchDialogProc(StandInDialog(), WM_INITDIALOG, 0, kChooseQuote);
  EXPECT_TRUE(StandIn().disabled[IDC_COPY_NEW]);
  TypeSearch("calle 3");
  Press(SearchDialogProc, IDC_COPY_NEW);
  Press(SearchDialogProc, IDC_MODIFY_QUOTE);
  EXPECT_TRUE(StandIn().dialogsOpened.empty());
  EXPECT_TRUE(StandIn().ended);
  EXPECT_EQ(StandIn().endResult, 3);
  Close();
}

TEST_F(SearchDialog, ExportsTheQuotesListedToTheFileChosen) {
  StoreQuotes(3);
  RecordCount = 4;
  Open(SearchDialogProc);
  Press(SearchDialogProc, IDC_EXPORT);  // "Cancelar" in the Save As dialog
  EXPECT_EQ(StandIn().saveFileDefault, L"presupuestos.csv");
  // It asks before writing over a file, and leaves the working folder as it is.
  const DWORD flags = OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
  EXPECT_EQ(StandIn().saveFileDialog.Flags & flags, flags);
  EXPECT_TRUE(StandIn().boxes.empty());

  StandIn().saveFileChoices = {L"todos.csv"};
  Press(SearchDialogProc, IDC_EXPORT);
  TypeSearch("cliente 3");
  StandIn().saveFileChoices = {L"uno.csv"};
  Press(SearchDialogProc, IDC_EXPORT);
  StandIn().saveFileChoices = {L"falta/uno.csv"};
  Press(SearchDialogProc, IDC_EXPORT);
  ASSERT_EQ(StandIn().boxes.size(), 3u);
  EXPECT_EQ(StandIn().boxes[0].text,
            "Se han exportado 3 presupuestos a todos.csv.\nNo se ha podido leer 1 presupuesto de "
            "datos.dat, que no se ha exportado.");
  EXPECT_EQ(StandIn().boxes[1].text, "Se ha exportado 1 presupuesto a uno.csv.");
  EXPECT_EQ(StandIn().boxes[1].type, static_cast<unsigned>(MB_OK | MB_ICONINFORMATION));
  ExpectNotice(StandIn().boxes[2],
               "No se ha podido escribir el archivo falta/uno.csv. Si est\xE1 abierto en otro "
               "programa, ci\xE9rrelo y vuelva a intentarlo.");

  // A file of the program's own is refused, nothing written, and the Save As
  // dialog opens again until another name is chosen.
  const std::string quotes = ReadBytes("datos.dat");
  StandIn().boxes.clear();
  StandIn().calls.clear();
  StandIn().saveFileChoices = {L"datos.dat", L"./EMPRESA.INI", L"lpt1.csv", L"otro.csv"};
  Press(SearchDialogProc, IDC_EXPORT);
  EXPECT_EQ(std::count(StandIn().calls.begin(), StandIn().calls.end(), "GetSaveFileNameW"), 4);
  ASSERT_EQ(StandIn().boxes.size(), 4u);
  ExpectNotice(StandIn().boxes[0],
               "No se puede exportar sobre datos.dat, que es un archivo de datos del programa. "
               "Elija otro nombre.");
  ExpectNotice(StandIn().boxes[1],
               "No se puede exportar sobre empresa.ini, que es un archivo de datos del programa. "
               "Elija otro nombre.");
  ExpectNotice(StandIn().boxes[2],
               "No se puede exportar a LPT1, que en Windows es el nombre de un dispositivo (una "
               "impresora o un puerto), no de un archivo. Elija otro nombre.");
  EXPECT_EQ(StandIn().boxes[3].text, "Se ha exportado 1 presupuesto a otro.csv.");
  EXPECT_TRUE(ReadBytes("datos.dat") == quotes);
  EXPECT_FALSE(Exists("datos.dat.tmp"));
  EXPECT_FALSE(Exists("empresa.ini"));
  EXPECT_FALSE(Exists("EMPRESA.INI.tmp"));
  EXPECT_FALSE(Exists("lpt1.csv"));
  EXPECT_TRUE(Exists("otro.csv"));

  ExportResult many;
  many.written = true;
  many.exported = 3000;
  many.unreadable = 1094795585;
  EXPECT_EQ(ExportMessage("x.csv", many),
            "Se han exportado 3.000 presupuestos a x.csv.\nNo se han podido leer 1.094.795.585 "
            "presupuestos de datos.dat, que no se han exportado.");
  ExportResult taken;
  taken.temporariesTaken = true;
  EXPECT_EQ(ExportMessage("x.csv", taken),
            "No se ha podido escribir el archivo x.csv: en su carpeta ya hay archivos con todos los "
            "nombres que se usan mientras se escribe (x.csv.tmp y x.csv.2.tmp a x.csv.99.tmp). "
            "Elija otro nombre, o saque de ella esos archivos.");
  std::string file = ReadBytes("uno.csv");
  EXPECT_EQ(file.substr(file.find("\r\n") + 2), "\"3\";\"3/12/2026\";\"Cliente 3\";\"Calle 3\";\"3,00\";\"Linea 3\r\notra\"\r\n");
  Close();
}

TEST_F(SearchDialog, ListAndModifyDialogsOpenOnAQuoteAndMoveToTheOneChosenByCtrlB) {
  for (DLGPROC proc : {ListQuoteDialogProc, ModifyQuoteDialogProc}) {
    StandInReset();
    StoreQuotes(5);
    proc(StandInDialog(), WM_INITDIALOG, 0, 2);
    ExpectShown(Stored(2), "2");
    ASSERT_NE(StandIn().hook, nullptr);
    EXPECT_EQ(StandIn().hookType, WH_MSGFILTER);

    // Ctrl+B in a control of the dialog becomes its command; B alone, or
    // Ctrl+B meant for another window, goes on as it was.
    MSG key{GetDlgItem(StandInDialog(), IDC_NAME), WM_KEYDOWN, 'B', 0, 0, {0, 0}};
    EXPECT_EQ(StandIn().hook(MSGF_DIALOGBOX, 0, reinterpret_cast<LPARAM>(&key)), 0);
    StandIn().controlDown = true;
    EXPECT_EQ(StandIn().hook(MSGF_DIALOGBOX, 0, reinterpret_cast<LPARAM>(&key)), TRUE);
    MSG elsewhere = key;
    elsewhere.hwnd = nullptr;
    EXPECT_EQ(StandIn().hook(MSGF_DIALOGBOX, 0, reinterpret_cast<LPARAM>(&elsewhere)), 0);
    ASSERT_EQ(StandIn().posted.size(), 1u);
    EXPECT_EQ(StandIn().posted[0].message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(StandIn().posted[0].wParam, static_cast<WPARAM>(IDC_SEARCH_KEY));

    // The search, opened to choose, moves the dialog to the quote chosen;
    // closed with none, it leaves it where it was.
    StandIn().dialogResults = {4, 0};
    Press(proc, IDC_SEARCH_KEY);
    ExpectShown(Stored(4), "4");
    EXPECT_EQ(BrowseIndex, 4);
    Press(proc, IDC_SEARCH_KEY);
    ExpectShown(Stored(4), "4");
    EXPECT_EQ(StandIn().dialogsOpened, (std::vector<std::string>{"BuscarPresupuesto", "BuscarPresupuesto"}));
    EXPECT_EQ(StandIn().dialogParams, (std::vector<LPARAM>{kChooseQuote, kChooseQuote}));

    proc(StandInDialog(), WM_DESTROY, 0, 0);
    EXPECT_EQ(StandIn().hook, nullptr);
  }
}

}  // namespace
