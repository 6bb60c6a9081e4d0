// Printing the quote a dialog shows, or making its PDF, with the business's
// data as it stands now in empresa.ini, and a body too long for the sheet
// told first.
#pragma once
#include <cstdint>
#include <optional>

#include <windows.h>

#include "store/quote_record.h"

// What a dialog's button makes of the quote on show.
enum class QuoteOutput { Print, Pdf, Mail };

// Whether `quote`'s whole text fits on the sheet, or the user wants it
// printed (or in the PDF) cut. Asked before the quote is stored, so that
// "No" leaves it as it was.
bool PrintsWhole(HWND dialog, const QuoteRecord& quote, QuoteOutput output = QuoteOutput::Print);

// "Imprimir", "Guardar PDF" or "Enviar por correo" on `quote` under
// `number`. Prints on the printer that the business chose (LPT1, or the
// print dialog every time; `shiftHeld` opens the print dialog for this one
// quote). Says why where it did not go through: also where empresa.ini is
// there but cannot be read, rather than use placeholders.
void OutputForDialog(HWND dialog, const QuoteRecord& quote, int32_t number, QuoteOutput output,
                     bool shiftHeld);

// What a dialog's command `id` asks of the quote on show: "Imprimir",
// "PDF", "Correo", or the modify dialog's "PDF" button (where its bottom
// row has no room for two), which offers "Guardar PDF" and "Enviar por
// correo" in a menu under it. Nothing for another command, or a menu
// closed without a choice.
std::optional<QuoteOutput> OutputAsked(HWND dialog, int id);

// What "Imprimir", "Guardar PDF" and "Enviar por correo" take from each
// quote dialog.
struct PrintSteps {
  // The quote, read from the dialog; null when there is none (the user told
  // where it matters).
  const QuoteRecord* (*quote)(HWND dialog);
  // Stores it first where it is not stored as it stands, so that it goes out
  // under the number it is stored as; false (the user told) when it could
  // not be. Null where the dialog stores nothing.
  bool (*storeFirst)(HWND dialog);
  // Its number, once stored.
  int32_t (*number)();
};

// `output` of the quote a dialog shows: Shift read first of all (the print
// dialog for this one quote), before any box can take the user's hand off
// the key; a text longer than the sheet asked about before the quote is
// stored (see PrintsWhole); then OutputForDialog.
void OutputFromDialog(HWND dialog, const PrintSteps& steps, QuoteOutput output);
