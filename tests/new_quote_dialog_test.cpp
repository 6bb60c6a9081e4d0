// The new-quote dialog over the real store: opening, "Guardar", "Imprimir",
// and the unsaved-changes question with every answer.
#include <gtest/gtest.h>

#include <algorithm>

#include <cstdio>
#include <cstring>
#include <sys/stat.h>

#include "dialogs/body_edit.h"
#include "dialogs/field_overflow.h"
#include "dialogs/paste_fit.h"
#include "dialogs/quote_dialogs.h"
#include "dialogs/working_copy.h"
#include "tests/dialog_driver.h"

namespace {

using NewQuoteDialog = DialogTest;

const QuoteTexts kTyped = {"Reparacion de tejado\r\n\r\nMano de obra", "Pe\xF1" "a e hijos",
                           "7/12/2026", "C/ Mayor 1", "1.234,56"};
const QuoteTexts kRetyped = {"Solo tejado", "Pe\xF1" "a S.L.", "8/12/2026", "C/ Mayor 2",
                             "99,00"};

// Presses "Cancelar" with the question (if asked) answered `answer`.
void CancelAnswering(int answer) {
  StandIn().boxAnswers = {answer};
  EXPECT_EQ(Press(NewQuoteDialogProc, IDCANCEL), TRUE);
}

TEST_F(NewQuoteDialog, OpensEmptyDatedTodayUnderTheNextNumber) {
  StoreQuotes(7);
  // Quotes 6 and 7 were stored by another copy since this one counted.
  RecordCount = 5;
  StandIn().focusId = -1;
  EXPECT_EQ(Open(NewQuoteDialogProc), FALSE);
  ExpectShown({"", "", CurrentDateText(), "", ""}, "8");
  EXPECT_EQ(StandIn().focusId, IDC_NAME);
  std::map<int, int> limits = {{IDC_TOTAL, 39}, {IDC_DATE, 39}, {IDC_NAME, 39},
                               {IDC_BODY, 1799}, {IDC_ADDRESS, 39}};
  EXPECT_EQ(StandIn().typingLimit, limits);
  EXPECT_EQ(IsNew, 1);
  EXPECT_EQ(Modified, 0);

  // The body wraps on screen where the sheet does, at 76 characters (8
  // pixels each here), where the control is wide enough for them.
  EXPECT_EQ(StandIn().formatRect.right, 0);
  StandIn().clientRect = RECT{0, 0, 640, 330};
  Open(NewQuoteDialogProc);
  EXPECT_EQ(StandIn().formatRect.left, 0);
  EXPECT_EQ(StandIn().formatRect.right, 76 * 8 + 2);
  // A system that takes a client edge off the rectangle gets it back on every side.
  StandIn().formatInset = 1;
  Open(NewQuoteDialogProc);
  EXPECT_EQ(StandIn().formatRect.right - StandIn().formatRect.left, 76 * 8 + 2);
  EXPECT_EQ(std::make_pair(StandIn().formatRect.top, StandIn().formatRect.bottom), std::make_pair(0, 330));
  // Words break at spaces only, never after a hyphen, as on the sheet.
  EXPECT_NE(std::find(StandIn().calls.begin(), StandIn().calls.end(),
                      "SendMessageW " + std::to_string(EM_SETWORDBREAKPROC)),
            StandIn().calls.end());
  std::wstring text = L"aaa bbb  cc-dd\tee";
  struct Break {
    int at, action, result;
  } breaks[] = {{10, WB_LEFT, 9},  {9, WB_LEFT, 4},       {13, WB_LEFT, 9},      {4, WB_LEFT, 0},
                {1, WB_RIGHT, 4},  {9, WB_RIGHT, 15},     {3, WB_ISDELIMITER, 1}, {11, WB_ISDELIMITER, 0},
                {14, WB_ISDELIMITER, 1}};
  for (const Break& b : breaks) {
    EXPECT_EQ(BreakAtSpaces(text.data(), b.at, static_cast<int>(text.size()), b.action), b.result)
        << b.at << " " << b.action;
  }

  StandInReset();
  std::remove("datos.dat");
  std::remove("config.cfg");
  RecordCount = 0;
  Open(NewQuoteDialogProc);
  EXPECT_EQ(Shown(IDC_NUMBER), Label("1"));

  // Commands answer TRUE whatever their id and notification; other
  // messages FALSE.
  EXPECT_EQ(Press(NewQuoteDialogProc, IDOK), TRUE);
  EXPECT_EQ(Press(NewQuoteDialogProc, IDC_NAME, 0x300), TRUE);
  EXPECT_EQ(NewQuoteDialogProc(StandInDialog(), WM_CLOSE, 0, 0), FALSE);
  EXPECT_FALSE(StandIn().ended);
  EXPECT_TRUE(StandIn().boxes.empty());
}

TEST_F(NewQuoteDialog, CancelClosesWithoutAskingWhenNothingDiffers) {
  Open(NewQuoteDialogProc);
  CancelAnswering(IDYES);
  EXPECT_TRUE(StandIn().boxes.empty());
  EXPECT_TRUE(StandIn().ended);
  EXPECT_EQ(StandIn().endResult, 0);

  // A field changed and typed back is no change; the notification code in
  // the high word does not matter.
  StandInReset();
  Open(NewQuoteDialogProc);
  Type(IDC_NAME, "Pepe");
  Type(IDC_NAME, "");
  Press(NewQuoteDialogProc, IDCANCEL, 1);
  EXPECT_TRUE(StandIn().boxes.empty());
  EXPECT_TRUE(StandIn().ended);
  EXPECT_FALSE(Exists("datos.dat"));
}

TEST_F(NewQuoteDialog, AChangeInAnySingleFieldAsks) {
  for (int id : {IDC_BODY, IDC_DATE, IDC_NAME, IDC_ADDRESS, IDC_TOTAL}) {
    SCOPED_TRACE(id);
    StandInReset();
    Open(NewQuoteDialogProc);
    Type(id, "6/12/2027");
    CancelAnswering(IDNO);
    ASSERT_EQ(StandIn().boxes.size(), 1u);
    EXPECT_EQ(StandIn().boxes[0].text, kQuestion);
    EXPECT_EQ(StandIn().boxes[0].caption, "Modificado");
    EXPECT_EQ(StandIn().boxes[0].type, kQuestionType);
    EXPECT_TRUE(StandIn().ended);
  }
  EXPECT_FALSE(Exists("datos.dat"));
  EXPECT_EQ(RecordCount, 0);
}

TEST_F(NewQuoteDialog, AnswersToTheQuestion) {
  std::string stored = StoreQuotes(2);

  // No, and a box that could not be shown: closed, nothing stored.
  for (int answer : {IDNO, 0}) {
    StandInReset();
    Open(NewQuoteDialogProc);
    TypeQuote(kTyped);
    CancelAnswering(answer);
    EXPECT_EQ(StandIn().boxes.size(), 1u);
    EXPECT_TRUE(StandIn().ended);
    EXPECT_EQ(ReadBytes("datos.dat"), stored);
    EXPECT_EQ(RecordCount, 2);
  }

  // Cancel: stays open with the texts; asks again even once the texts are
  // back to the snapshot.
  StandInReset();
  Open(NewQuoteDialogProc);
  TypeQuote(kTyped);
  CancelAnswering(IDCANCEL);
  EXPECT_FALSE(StandIn().ended);
  EXPECT_EQ(Modified, 1);
  ExpectShown(kTyped, "3");
  TypeQuote({"", "", CurrentDateText(), "", ""});
  CancelAnswering(IDCANCEL);
  EXPECT_EQ(StandIn().boxes.size(), 2u);
  EXPECT_FALSE(StandIn().ended);

  // Yes: the texts read at "Cancelar" are appended as quote 3, then closed.
  TypeQuote(kTyped);
  CancelAnswering(IDYES);
  EXPECT_EQ(StandIn().boxes.size(), 3u);
  EXPECT_TRUE(StandIn().ended);
  EXPECT_EQ(ReadBytes("datos.dat"), stored + Bytes(kTyped));
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(3, 3));
  EXPECT_EQ(RecordCount, 3);
}

TEST_F(NewQuoteDialog, LaterSavesOverwriteTheQuoteTheFirstAppended) {
  std::string stored = StoreQuotes(2);
  Open(NewQuoteDialogProc);
  TypeQuote(kTyped);
  EXPECT_EQ(Press(NewQuoteDialogProc, IDC_SAVE), TRUE);
  EXPECT_EQ(ReadBytes("datos.dat"), stored + Bytes(kTyped));
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(3, 3));
  EXPECT_EQ(IsNew, 0);
  // Each save says under which number the quote is stored.
  ASSERT_EQ(StandIn().boxes.size(), 1u);
  ExpectNotice(StandIn().boxes[0], "Presupuesto 3 guardado.", MB_ICONINFORMATION);

  TypeQuote(kRetyped);
  Press(NewQuoteDialogProc, IDC_SAVE);
  EXPECT_EQ(ReadBytes("datos.dat"), stored + Bytes(kRetyped));
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(3, 3));
  EXPECT_EQ(RecordCount, 3);
  // The label keeps the number the quote was saved under.
  EXPECT_EQ(Shown(IDC_NUMBER), Label("3"));

  // Saved and unchanged: no question.
  CancelAnswering(IDYES);
  ASSERT_EQ(StandIn().boxes.size(), 2u);
  EXPECT_EQ(StandIn().boxes[1].text, "Presupuesto 3 guardado.");
  EXPECT_TRUE(StandIn().ended);

  // An edit after the save, answered Yes, overwrites the same record.
  StandIn().ended = false;
  Type(IDC_TOTAL, "100,00");
  CancelAnswering(IDYES);
  QuoteTexts last = kRetyped;
  last.total = "100,00";
  EXPECT_EQ(ReadBytes("datos.dat"), stored + Bytes(last));
  EXPECT_EQ(RecordCount, 3);
  EXPECT_TRUE(StandIn().ended);

  // A new opening starts afresh and never touches the quote saved before.
  // Another copy stores quote 4 while it is open: this one is stored after
  // it, the box says so, and it prints and is corrected under its own number.
  StandInReset();
  Open(NewQuoteDialogProc);
  ExpectShown({"", "", CurrentDateText(), "", ""}, "4");
  EXPECT_EQ(IsNew, 1);
  std::string others = stored + Bytes(last) + Bytes(kTyped);
  WriteBytes("datos.dat", others);
  WriteBytes("config.cfg", SettingsBytes(4, 3));
  Press(NewQuoteDialogProc, IDC_SAVE);
  std::string mine = RecordBytes("", "", CurrentDateText(), "", "");
  EXPECT_EQ(ReadBytes("datos.dat"), others + mine);
  ASSERT_EQ(StandIn().boxes.size(), 1u);
  EXPECT_EQ(StandIn().boxes[0].text,
            "Se ha guardado como presupuesto 5: el 4 lo acaba de guardar otro equipo.");
  EXPECT_EQ(Shown(IDC_NUMBER), Label("5"));
  Type(IDC_TOTAL, "5,00");
  Press(NewQuoteDialogProc, IDC_SAVE);
  EXPECT_EQ(StandIn().boxes.at(1).text, "Presupuesto 5 guardado.");
  Press(NewQuoteDialogProc, IDC_PRINT);
  EXPECT_NE(ReadBytes("LPT1").find(PrintedLabel(5)), std::string::npos);
  EXPECT_EQ(ReadBytes("datos.dat"), others + RecordBytes("", "", CurrentDateText(), "", "5,00"));
  // Another copy corrects quote 5 meanwhile: a later save here is refused,
  // and the other's correction stays.
  std::string theirs = others + RecordBytes("", "Otro", CurrentDateText(), "", "5,00");
  WriteBytes("datos.dat", theirs);
  Type(IDC_TOTAL, "6,00");
  Press(NewQuoteDialogProc, IDC_SAVE);
  EXPECT_EQ(ReadBytes("datos.dat"), theirs);
  EXPECT_EQ(StandIn().boxes.back().text.rfind(kSaveFailed + std::string("\nEl presupuesto 5 ha"), 0), 0u);
}

TEST_F(NewQuoteDialog, ControlsAreStoredCutToTheirFieldsInWindows1252) {
  std::string forty(40, 'x');
  forty[39] = 'y';
  Open(NewQuoteDialogProc);
  Type(IDC_DATE, forty);
  Type(IDC_TOTAL, forty);
  Type(IDC_BODY, std::string(1800, 'b'));
  // Letters of the code page one byte each, whatever the system's; the
  // others (a Polish letter, a sign outside the basic plane) one "?" each.
  StandIn().controlText[IDC_NAME] = L"\u0141\u00F3d\u017A \U0001F600 Pe\u00F1a \u20AC";
  Press(NewQuoteDialogProc, IDC_SAVE);
  std::string first39(39, 'x');
  EXPECT_EQ(ReadBytes("datos.dat"), RecordBytes(std::string(1799, 'b'), "?\xF3" "d? ? Pe\xF1" "a \x80",
                                                first39, "", first39));
  ASSERT_EQ(StandIn().boxes.size(), 2u);
  ExpectNotice(StandIn().boxes[0], "Algunos de los caracteres escritos no se pueden guardar y se "
                                   "han cambiado por \"?\".");
  EXPECT_EQ(Shown(IDC_NAME), "?\xF3" "d? ? Pe\xF1" "a \x80");
  // What was stored is the snapshot: the cut texts do not count as a
  // change, and the characters are not told of again.
  CancelAnswering(IDYES);
  EXPECT_EQ(StandIn().boxes.size(), 2u);
}

// Ctrl+V into one of the dialog's edits, with `text` on the clipboard.
void PasteInto(int id, const std::wstring& text) {
  StandIn().clipboard = text;
  EXPECT_EQ(PasteWhatFits(GetDlgItem(StandInDialog(), id), WM_PASTE, 0, 0), 0);
}

TEST_F(NewQuoteDialog, WhatAFieldDoesNotTakeIsNeverDroppedSilently) {
  const std::string kCut = "El texto pegado no cabe entero: este campo lleva como mucho 39 caracteres.";
  Open(NewQuoteDialogProc);
  // A typed character the edit refuses beeps.
  EXPECT_EQ(Press(NewQuoteDialogProc, IDC_NAME, EN_MAXTEXT), TRUE);
  EXPECT_EQ(StandIn().calls.back(), "MessageBeep 0");

  // What fits goes in silently: a one-line field takes the first line.
  Type(IDC_DATE, "");
  PasteInto(IDC_DATE, L"20/11/2025\r\n");
  EXPECT_EQ(Shown(IDC_DATE), "20/11/2025");
  EXPECT_TRUE(StandIn().boxes.empty());

  // What is cut is told; a field already full takes nothing.
  Type(IDC_NAME, "Sr. ");
  PasteInto(IDC_NAME, L"Comunidad de Propietarios San Fernando n\u00BA 18");
  EXPECT_EQ(Shown(IDC_NAME), "Sr. Comunidad de Propietarios San Ferna");
  PasteInto(IDC_NAME, L"1");
  ASSERT_EQ(StandIn().boxes.size(), 2u);
  ExpectNotice(StandIn().boxes[0], kCut + " Se ha pegado lo que cabe y el resto se ha dejado fuera.");
  ExpectNotice(StandIn().boxes[1], kCut + " No se ha pegado nada.");
}

// Lines "l1", "l2"... up to `count`, each ended by `end` but the last.
std::wstring Lines(int count, const std::wstring& end = L"\r\n") {
  std::wstring text;
  for (int i = 1; i <= count; ++i) text += (i > 1 ? end : L"") + L"l" + std::to_wstring(i);
  return text;
}

// What of a pasted text the body takes: the sheet's 24 rows, counted with
// the text before and after the caret, and its 1799 characters.
TEST(PasteFit, TheBodyTakesTheRowsTheSheetPrints) {
  std::wstring wraps = std::wstring(100, L'x') + L"\r\n";  // two rows: 76 and 24
  struct Case { std::wstring before, pasted, after, taken; bool cut; } cases[] = {
      {L"", Lines(24, L"\n"), L"", Lines(24), false},  // lone LFs become CR LF
      {L"", Lines(25), L"", Lines(24), true},          // the break before l25 goes too
      {L"", Lines(24) + L"\r\n", L"", Lines(24), true},  // an empty 25th row does not fit
      {L"a\r\nb\r\n", Lines(25), L"", Lines(22), true},
      {L"", Lines(25), L"\r\nfin", Lines(23), true},
      {L"", wraps + wraps + Lines(21), L"", wraps + wraps + Lines(20), true},
      {L"", std::wstring(2000, L'a'), L"", std::wstring(1799, L'a'), true},
      {Lines(24), L"\r\nmas", L"", L"", true},
  };
  for (const Case& c : cases) {
    PasteFit fit = FitBody(c.before, c.pasted, c.after, 1799, 24);
    EXPECT_EQ(std::make_pair(fit.taken, fit.cut), std::make_pair(c.taken, c.cut)) << fit.taken.size();
  }
}

TEST_F(NewQuoteDialog, PrintStoresTheQuoteFirstUnderThePrintedNumber) {
  std::string stored = StoreQuotes(1);
  Open(NewQuoteDialogProc);
  TypeQuote(kTyped);
  EXPECT_EQ(Press(NewQuoteDialogProc, IDC_PRINT), TRUE);
  EXPECT_NE(ReadBytes("LPT1").find(PrintedLabel(2)), std::string::npos);
  EXPECT_EQ(ReadBytes("datos.dat"), stored + Bytes(kTyped));
  EXPECT_EQ(IsNew, 0);

  // Printed again as it stands: nothing more is stored; changed, the
  // change is stored over the same quote before it prints.
  std::remove("LPT1");
  Press(NewQuoteDialogProc, IDC_PRINT);
  EXPECT_NE(ReadBytes("LPT1").find(PrintedLabel(2)), std::string::npos);
  EXPECT_EQ(ReadBytes("datos.dat"), stored + Bytes(kTyped));
  QuoteTexts changed = kTyped;
  changed.total = "99,00";
  Type(IDC_TOTAL, changed.total);
  Press(NewQuoteDialogProc, IDC_PRINT);
  EXPECT_EQ(ReadBytes("datos.dat"), stored + Bytes(changed));

  // Nothing was left unsaved: "Cancelar" asks nothing.
  CancelAnswering(IDYES);
  EXPECT_TRUE(StandIn().boxes.empty());
  EXPECT_TRUE(StandIn().ended);

  // Untouched, a new quote is stored all the same, dated today. With Shift
  // held the printer is chosen in the system's dialog, not LPT1.
  StandInReset();
  Open(NewQuoteDialogProc);
  Press(NewQuoteDialogProc, IDC_PRINT);
  EXPECT_NE(ReadBytes("LPT1").find(PrintedLabel(3)), std::string::npos);
  EXPECT_EQ(ReadBytes("datos.dat"), stored + Bytes(changed) + Bytes({"", "", CurrentDateText(), "", ""}));
  WriteBytes("LPT1", "");
  StandIn().shiftDown = true;
  StandIn().defaultPrinter = "PDF";
  StandIn().printDialogAnswer = FALSE;
  Press(NewQuoteDialogProc, IDC_PRINT);
  EXPECT_EQ(ReadBytes("LPT1"), "");
  const auto& calls = StandIn().calls;
  EXPECT_NE(std::find(calls.begin(), calls.end(), "PrintDlgW"), calls.end());

  // A quote that cannot be stored is not printed either.
  StandInReset();
  Open(NewQuoteDialogProc);
  TypeQuote(kTyped);
  std::remove("LPT1");
  DiskHook = FailEveryDiskOp;
  Press(NewQuoteDialogProc, IDC_PRINT);
  DiskHook = nullptr;
  EXPECT_FALSE(Exists("LPT1"));
  ASSERT_EQ(StandIn().boxes.size(), 1u);
  EXPECT_EQ(StandIn().boxes[0].text.rfind(kSaveFailed, 0), 0u);
  EXPECT_EQ(IsNew, 1);

  // No LPT1 and no printer on the machine is reported; the dialog stays open.
  ASSERT_EQ(mkdir("LPT1", 0777), 0);
  Press(NewQuoteDialogProc, IDC_PRINT);
  ASSERT_EQ(StandIn().boxes.size(), 2u);
  ExpectNotice(StandIn().boxes[1], kNoPrinter);
  EXPECT_FALSE(StandIn().ended);
}

TEST_F(NewQuoteDialog, AFailedSaveIsReportedAndLeavesTheQuoteUnsaved) {
  std::string stored = StoreQuotes(2);
  Open(NewQuoteDialogProc);
  TypeQuote(kTyped);
  DiskHook = FailEveryDiskOp;
  Press(NewQuoteDialogProc, IDC_SAVE);
  ASSERT_EQ(StandIn().boxes.size(), 1u);
  ExpectNotice(StandIn().boxes[0], kSaveFailed);
  EXPECT_EQ(IsNew, 1);
  EXPECT_EQ(Modified, 0);
  EXPECT_EQ(std::string(QuoteSnapshot.name), "");
  EXPECT_EQ(RecordCount, 2);

  // "Cancelar" still asks; a Yes that fails again keeps the dialog open
  // with the user's texts.
  CancelAnswering(IDYES);
  ASSERT_EQ(StandIn().boxes.size(), 3u);
  EXPECT_EQ(StandIn().boxes[1].text, kQuestion);
  ExpectNotice(StandIn().boxes[2], kSaveFailed);
  EXPECT_FALSE(StandIn().ended);
  ExpectShown(kTyped, "3");
  EXPECT_EQ(ReadBytes("datos.dat"), stored);
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(2, 3));

  // Once the disk works, Yes appends the quote as the next one.
  DiskHook = nullptr;
  CancelAnswering(IDYES);
  EXPECT_TRUE(StandIn().ended);
  EXPECT_EQ(ReadBytes("datos.dat"), stored + Bytes(kTyped));
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(3, 3));
}

TEST_F(NewQuoteDialog, AFailedOverwriteKeepsTheFirstSave) {
  std::string stored = StoreQuotes(1);
  Open(NewQuoteDialogProc);
  TypeQuote(kTyped);
  Press(NewQuoteDialogProc, IDC_SAVE);

  // A full disk while rewriting: the first save stays on disk and in the
  // snapshot, and the quote is still not new.
  TypeQuote(kRetyped);
  DiskHook = FailWrites;
  Press(NewQuoteDialogProc, IDC_SAVE);
  ASSERT_EQ(StandIn().boxes.size(), 2u);
  ExpectNotice(StandIn().boxes[1], std::string(kSaveFailed) + kDiskFull);
  EXPECT_EQ(IsNew, 0);
  EXPECT_EQ(ReadBytes("datos.dat"), stored + Bytes(kTyped));
  EXPECT_EQ(std::string(QuoteSnapshot.name), kTyped.name);

  DiskHook = nullptr;
  CancelAnswering(IDYES);
  EXPECT_EQ(StandIn().boxes[2].text, kQuestion);
  EXPECT_TRUE(StandIn().ended);
  EXPECT_EQ(ReadBytes("datos.dat"), stored + Bytes(kRetyped));
  EXPECT_EQ(ReadBytes("config.cfg"), SettingsBytes(2, 3));
}

TEST_F(NewQuoteDialog, ACopiedQuoteOpensFilledDatedTodayUnderTheNextNumberAndUnsaved) {
  std::string stored = StoreQuotes(2);
  QuoteRecord old;
  std::memcpy(&old, stored.data(), sizeof old);
  NewQuoteDialogProc(StandInDialog(), WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&old));
  QuoteTexts copy = Stored(1);
  copy.date = CurrentDateText();
  ExpectShown(copy, "3");

  CancelAnswering(IDYES);
  ASSERT_EQ(StandIn().boxes.size(), 1u);
  EXPECT_EQ(StandIn().boxes[0].text, kQuestion);
  EXPECT_EQ(ReadBytes("datos.dat"), stored + Bytes(copy));
}

}  // namespace
