// Printing the quote a dialog shows, or making its PDF, with the business's
// data as it stands now in empresa.ini, and a body too long for the sheet
// told first.
#pragma once
#include <cstdint>
#include <optional>

#include <windows.h>

#include "store/quote_record.h"

// Whether Shift is held on "Imprimir" (the print dialog for this one quote).
// Read first of all, before any box can take the user's hand off the key.
bool ShiftHeldOnPrint();

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
