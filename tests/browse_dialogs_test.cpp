// The list and modify dialogs over the real store: opening on the newest
// quote, the arrow bounds, printing, and saving the quote on show in place.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include "dialogs/browse.h"
#include "dialogs/quote_dialogs.h"
#include "tests/dialog_driver.h"

namespace {

using BrowseDialogs = DialogTest;
using ModifyDialog = DialogTest;
using ListDialog = DialogTest;

// Presses an arrow and tells whether the dialog did anything at all.
bool Moves(DLGPROC proc, int arrow) {
  size_t calls = StandIn().calls.size();
  EXPECT_EQ(Press(proc, arrow), TRUE);
  return StandIn().calls.size() != calls;
}

TEST_F(BrowseDialogs, ArrowsStayWithinTheStoredQuotes) {
  for (DLGPROC proc : {ListQuoteDialogProc, ModifyQuoteDialogProc}) {
    for (int count : {1, 5, 12}) {
      SCOPED_TRACE(count);
      StandInReset();
      StoreQuotes(count);
      EXPECT_EQ(Open(proc), FALSE);
      ExpectShown(Stored(count), std::to_string(count));
      EXPECT_FALSE(Moves(proc, IDC_NEXT));
      for (int n = count - 1; n >= 1; --n) {
        ASSERT_TRUE(Moves(proc, IDC_PREV));
        ExpectShown(Stored(n), std::to_string(n));
      }
      EXPECT_FALSE(Moves(proc, IDC_PREV));
      EXPECT_EQ(BrowseIndex, 1);
      if (count > 1) {
        EXPECT_TRUE(Moves(proc, IDC_NEXT));
        ExpectShown(Stored(2), "2");
      }
      EXPECT_EQ(Press(proc, IDOK), TRUE);
      EXPECT_EQ(proc(StandInDialog(), WM_CLOSE, 0, 0), FALSE);
      EXPECT_FALSE(StandIn().ended);
      EXPECT_EQ(Press(proc, IDCANCEL, 1), TRUE);
      EXPECT_TRUE(StandIn().ended);
      EXPECT_EQ(StandIn().endResult, 0);
      EXPECT_TRUE(StandIn().boxes.empty());
      EXPECT_EQ(ReadBytes("datos.dat"), StoreQuotes(count));
    }
  }
}

TEST_F(BrowseDialogs, WithNoQuoteStoredNothingIsShownStoredOrPrinted) {
  // A stray record in datos.dat that the count does not include: it is not
  // shown as a quote, and nothing overwrites it.
  WriteBytes("datos.dat", Bytes(Stored(1)));
  for (DLGPROC proc : {ListQuoteDialogProc, ModifyQuoteDialogProc}) {
    StandInReset();
    Open(proc);
    ExpectShown({"", "", "", "", ""}, "");
    EXPECT_EQ(BrowseIndex, 0);
    EXPECT_FALSE(Moves(proc, IDC_NEXT));
    EXPECT_FALSE(Moves(proc, IDC_PREV));
    Type(IDC_NAME, "Cliente nuevo");
    EXPECT_FALSE(Moves(proc, IDC_SAVE));
    EXPECT_FALSE(Moves(proc, IDC_PRINT));
    EXPECT_TRUE(StandIn().boxes.empty());
  }
  EXPECT_EQ(ReadBytes("datos.dat"), Bytes(Stored(1)));
  EXPECT_FALSE(Exists("config.cfg"));
  EXPECT_FALSE(Exists("LPT1"));
  EXPECT_FALSE(Exists("trasvase.dat"));
  EXPECT_EQ(RecordCount, 0);
}

// Fails every read of datos.dat while set.
bool ReadsFail = false;
DiskFault FailReadsWhenSet(DiskOp op) {
  return ReadsFail && op == DiskOp::Read ? DiskFault::Error : DiskFault::None;
}

TEST_F(BrowseDialogs, AnUnreadableQuoteIsToldAndNeitherPrintedNorStored) {
  std::string stored = StoreQuotes(3);
  const std::string unread = "No se ha podido leer el presupuesto 3 de datos.dat.";
  DiskHook = FailReadsWhenSet;
  for (DLGPROC proc : {ListQuoteDialogProc, ModifyQuoteDialogProc}) {
    bool list = proc == ListQuoteDialogProc;
    StandInReset();
    ReadsFail = true;  // a failing disk
    Open(proc);
    ExpectShown({"", "", "", "", ""}, "3");
    ASSERT_EQ(StandIn().boxes.size(), 1u);
    ExpectNotice(StandIn().boxes[0], unread);
    // Told over the dialog, shown first.
    auto& calls = StandIn().calls;
    EXPECT_LT(std::find(calls.begin(), calls.end(), "ShowWindow 5"),
              std::find(calls.begin(), calls.end(), "MessageBoxW Presupuestos"));
    Type(IDC_NAME, "escrito encima");
    Press(proc, list ? IDC_PRINT : IDC_SAVE);
    ASSERT_EQ(StandIn().boxes.size(), 2u);
    ExpectNotice(StandIn().boxes[1], list ? "No se imprime el presupuesto 3: no se ha podido leer."
                                          : "No se guarda el presupuesto 3: no se ha podido leer.");
    // Quote 2 reads and is said nothing of; back on 3, it is told again.
    ReadsFail = false;
    Press(proc, IDC_PREV);
    ExpectShown(Stored(2), "2");
    ReadsFail = true;
    Press(proc, IDC_NEXT);
    ASSERT_EQ(StandIn().boxes.size(), 3u);
    ExpectNotice(StandIn().boxes[2], unread);
  }
  DiskHook = nullptr;
  EXPECT_FALSE(Exists("LPT1"));
  EXPECT_TRUE(ReadBytes("datos.dat") == stored);
  EXPECT_FALSE(Exists("trasvase.dat"));

  // A datos.dat brought back from an older backup, quote 3 counted but not
  // in it: the dialogs open on quote 2, the last that can be read, and
  // ">>" does not go past it.
  WriteBytes("datos.dat", stored.substr(0, 2 * kRecordSize + 100));
  for (DLGPROC proc : {ListQuoteDialogProc, ModifyQuoteDialogProc}) {
    StandInReset();
    Open(proc);
    ExpectShown(Stored(2), "2");
    EXPECT_FALSE(Moves(proc, IDC_NEXT));
    EXPECT_TRUE(StandIn().boxes.empty());
  }
}

TEST_F(ListDialog, PrintsTheQuoteOnShowUnderItsNumber) {
  std::string stored = StoreQuotes(3);
  Open(ListQuoteDialogProc);
  EXPECT_EQ(StandIn().focusId, 0);
  EXPECT_TRUE(StandIn().typingLimit.empty());
  EXPECT_FALSE(Moves(ListQuoteDialogProc, IDC_SAVE));

  Press(ListQuoteDialogProc, IDC_PREV);
  EXPECT_EQ(Press(ListQuoteDialogProc, IDC_PRINT), TRUE);
  std::string job = ReadBytes("LPT1");
  EXPECT_NE(job.find(PrintedLabel(2)), std::string::npos);
  EXPECT_NE(job.find("Nombre: Cliente 2 "), std::string::npos);
  EXPECT_TRUE(StandIn().boxes.empty());
  EXPECT_EQ(BrowseIndex, 2);

  std::remove("LPT1");
  ASSERT_EQ(symlink("/dev/full", "LPT1"), 0);  // LPT1 opens but takes nothing
  Press(ListQuoteDialogProc, IDC_PRINT);
  ASSERT_EQ(StandIn().boxes.size(), 1u);
  ExpectNotice(StandIn().boxes[0], kPrintFailed);

  // No LPT1: the print dialog, with each of its outcomes.
  std::remove("LPT1");
  ASSERT_EQ(mkdir("LPT1", 0777), 0);
  Press(ListQuoteDialogProc, IDC_PRINT);  // no printer on the machine
  ASSERT_EQ(StandIn().boxes.size(), 2u);
  ExpectNotice(StandIn().boxes[1], kNoPrinter);
  StandIn().defaultPrinter = "PDF";  // "Cancelar" in the print dialog
  Press(ListQuoteDialogProc, IDC_PRINT);
  StandIn().printDialogAnswer = TRUE;
  StandIn().failingPrintCall = "StartDocW";
  Press(ListQuoteDialogProc, IDC_PRINT);
  ASSERT_EQ(StandIn().boxes.size(), 3u);
  ExpectNotice(StandIn().boxes[2], kPrinterFailed);
  StandIn().failingPrintCall.clear();
  Press(ListQuoteDialogProc, IDC_PRINT);
  EXPECT_EQ(StandIn().boxes.size(), 3u);
  EXPECT_EQ(StandIn().calls.end()[-5], "StartDocW Presupuesto 2");
  EXPECT_EQ(StandIn().calls.end()[-1], "DeleteDC");
  EXPECT_FALSE(StandIn().ended);
  EXPECT_EQ(BrowseIndex, 2);
  EXPECT_EQ(ReadBytes("datos.dat"), stored);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(3, 3));
}

TEST_F(ModifyDialog, OpensOnTheNewestWithFocusAndLimits) {
  StoreQuotes(5);
  EXPECT_EQ(Open(ModifyQuoteDialogProc), FALSE);
  ExpectShown(Stored(5), "5");
  EXPECT_EQ(StandIn().focusId, IDC_NAME);
  std::map<int, int> limits = {{IDC_TOTAL, 39}, {IDC_DATE, 39}, {IDC_NAME, 39},
                               {IDC_ADDRESS, 39}, {IDC_BODY, 1799}};
  EXPECT_EQ(StandIn().typingLimit, limits);
}

TEST_F(ModifyDialog, PrintStoresACorrectionFirst) {
  std::string stored = StoreQuotes(3);
  Open(ModifyQuoteDialogProc);
  Press(ModifyQuoteDialogProc, IDC_PREV);
  // As stored: printed, nothing written.
  Press(ModifyQuoteDialogProc, IDC_PRINT);
  EXPECT_NE(ReadBytes("LPT1").find("Nombre: Cliente 2 "), std::string::npos);
  EXPECT_EQ(ReadBytes("datos.dat"), stored);
  EXPECT_FALSE(Exists("trasvase.dat"));

  // Corrected: stored under its number, then printed as stored.
  QuoteTexts corrected = Stored(2);
  corrected.name = "Corregido";
  Type(IDC_NAME, corrected.name);
  Press(ModifyQuoteDialogProc, IDC_PRINT);
  std::string expected = stored;
  expected.replace(kRecordSize, kRecordSize, Bytes(corrected));
  EXPECT_EQ(ReadBytes("datos.dat"), expected);
  EXPECT_NE(ReadBytes("LPT1").find(PrintedLabel(2) + "    Nombre: Corregido "), std::string::npos);
  EXPECT_TRUE(StandIn().boxes.empty());

  // A correction that cannot be stored is not printed.
  std::remove("LPT1");
  Type(IDC_NAME, "Otra vez");
  DiskHook = FailEveryDiskOp;
  Press(ModifyQuoteDialogProc, IDC_PRINT);
  DiskHook = nullptr;
  EXPECT_FALSE(Exists("LPT1"));
  ASSERT_EQ(StandIn().boxes.size(), 1u);
  EXPECT_EQ(ReadBytes("datos.dat"), expected);

  // A body longer than the sheet is told first; "No" prints nothing.
  std::string lines;
  for (int i = 0; i < 30; ++i) lines += "linea\r\n";
  Type(IDC_NAME, corrected.name);
  Type(IDC_BODY, lines);
  StandIn().boxAnswers = {IDNO};
  Press(ModifyQuoteDialogProc, IDC_PRINT);
  ASSERT_EQ(StandIn().boxes.size(), 2u);
  EXPECT_EQ(StandIn().boxes[1].type, static_cast<unsigned>(MB_YESNO | MB_ICONEXCLAMATION));
  EXPECT_FALSE(Exists("LPT1"));
  // Asked before the correction is stored: "No" leaves it unsaved.
  EXPECT_EQ(ReadBytes("datos.dat"), expected);

  // An empresa.ini that is there but cannot be read is told: the quote is
  // stored, but not printed with placeholders in its letterhead.
  Type(IDC_BODY, "corto");
  ASSERT_EQ(mkdir("empresa.ini", 0777), 0);
  Press(ModifyQuoteDialogProc, IDC_PRINT);
  rmdir("empresa.ini");
  ASSERT_EQ(StandIn().boxes.size(), 3u);
  EXPECT_EQ(StandIn().boxes[2].text.rfind("El presupuesto no se ha impreso: no se ha podido leer "
                                          "empresa.ini", 0), 0u);
  EXPECT_FALSE(Exists("LPT1"));
  EXPECT_NE(ReadBytes("datos.dat"), expected);
}

TEST_F(ModifyDialog, SaveOverwritesOnlyTheQuoteOnShow) {
  std::string stored = StoreQuotes(5);
  Open(ModifyQuoteDialogProc);
  Press(ModifyQuoteDialogProc, IDC_PREV);
  Press(ModifyQuoteDialogProc, IDC_PREV);
  Type(IDC_NAME, "Pe\xF1" "a e hijos");
  Press(ModifyQuoteDialogProc, IDC_SAVE);
  QuoteTexts third = Stored(3);
  third.name = "Pe\xF1" "a e hijos";
  std::string expected = stored;
  expected.replace(2 * kRecordSize, kRecordSize, Bytes(third));
  EXPECT_EQ(ReadBytes("datos.dat"), expected);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(5, 3));
  EXPECT_EQ(RecordCount, 5);
  EXPECT_EQ(BrowseIndex, 3);
  EXPECT_EQ(Shown(IDC_NUMBER), Label("3"));

  // Saved again: one record with the last texts; 40 characters in the date
  // and the total are stored as their first 39.
  std::string forty = std::string(39, '9') + "X";
  Type(IDC_DATE, forty);
  Type(IDC_TOTAL, forty);
  Press(ModifyQuoteDialogProc, IDC_SAVE);
  third.date = third.total = std::string(39, '9');
  expected.replace(2 * kRecordSize, kRecordSize, Bytes(third));
  EXPECT_EQ(ReadBytes("datos.dat"), expected);
  EXPECT_TRUE(StandIn().boxes.empty());

  // An unsaved edit is dropped by a move: back on quote 3, the stored texts.
  Type(IDC_ADDRESS, "Otra calle");
  Press(ModifyQuoteDialogProc, IDC_PREV);
  ExpectShown(Stored(2), "2");
  Press(ModifyQuoteDialogProc, IDC_NEXT);
  ExpectShown(third, "3");

  // ... and by "Cancelar", at once and without a question.
  Type(IDC_ADDRESS, "Otra calle");
  Press(ModifyQuoteDialogProc, IDCANCEL);
  EXPECT_TRUE(StandIn().ended);
  EXPECT_TRUE(StandIn().boxes.empty());
  EXPECT_EQ(ReadBytes("datos.dat"), expected);
}

TEST_F(ModifyDialog, AFailedSaveIsReportedAndChangesNothing) {
  std::string stored = StoreQuotes(2);
  Open(ModifyQuoteDialogProc);
  Type(IDC_BODY, "Nuevo cuerpo");
  // The connection to the folder's server lost, from the first operation.
  DiskFaultHook loseNetwork = [](DiskOp) { return DiskFault::NetworkLost; };
  const std::pair<DiskFaultHook, std::string> faults[] = {
      {FailEveryDiskOp, ""},
      {FailWrites, kDiskFull},
      {loseNetwork, "\nCausa: se ha perdido la conexi\xF3n con la carpeta de los datos en la red. "
                    "Compruebe la red y vuelva a intentarlo."}};
  for (const auto& [hook, cause] : faults) {
    StandIn().boxes.clear();
    DiskHook = hook;
    Press(ModifyQuoteDialogProc, IDC_SAVE);
    DiskHook = nullptr;
    ASSERT_EQ(StandIn().boxes.size(), 1u);
    ExpectNotice(StandIn().boxes[0], kSaveFailed + cause);
    EXPECT_FALSE(StandIn().ended);
    EXPECT_EQ(ReadBytes("datos.dat"), stored);
    EXPECT_EQ(Shown(IDC_BODY), "Nuevo cuerpo");
  }
  // Files changed behind the dialog: the store refuses, and the box says why.
  const std::string changed = std::string(kSaveFailed) +
                              "\nLos archivos de datos han cambiado desde que se abri\xF3 el "
                              "programa: ci\xE9rrelo y vuelva a abrirlo.";
  const std::string missing = std::string(kSaveFailed) + "\nFaltan presupuestos en datos.dat.";
  // Quote 2 corrected by another copy while this one shows it, down to a
  // byte after its texts: this correction would silently replace that one.
  const std::string replaced =
      std::string(kSaveFailed) +
      "\nEl presupuesto ha cambiado en datos.dat desde que se mostr\xF3 (lo ha guardado otra "
      "copia del programa): la correcci\xF3n no se ha guardado. Cierre la ventana y vuelva a "
      "abrirla para ver el presupuesto guardado.";
  std::string other = stored;
  other[2 * kRecordSize - 1] = 'x';
  struct Case {
    std::string quotes, settings, told;
  } cases[] = {{stored + stored.substr(0, kRecordSize), SettingsBytes(2, 3), changed},
               {stored.substr(0, kRecordSize + 9), SettingsBytes(2, 3), missing},
               {other, SettingsBytes(2, 3), replaced}};
  for (const Case& c : cases) {
    StandIn().boxes.clear();
    WriteBytes("datos.dat", c.quotes);
    WriteBytes("config.cfg", c.settings);
    Press(ModifyQuoteDialogProc, IDC_SAVE);
    ASSERT_EQ(StandIn().boxes.size(), 1u);
    ExpectNotice(StandIn().boxes[0], c.told);
    EXPECT_TRUE(ReadBytes("datos.dat") == c.quotes);
    EXPECT_EQ(ReadBytes("config.cfg"), c.settings);
  }
  WriteBytes("datos.dat", stored);
  WriteBytes("config.cfg", SettingsBytes(2, 3));
  Press(ModifyQuoteDialogProc, IDC_SAVE);
  QuoteTexts second = Stored(2);
  second.body = "Nuevo cuerpo";
  EXPECT_EQ(ReadBytes("datos.dat"), Bytes(Stored(1)) + Bytes(second));
}

}  // namespace
