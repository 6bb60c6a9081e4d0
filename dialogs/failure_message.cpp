// The two failure notices, in the dialog's own modal box: without them a
// failed save or print would look exactly like a good one.
#include "dialogs/failure_message.h"

namespace {

void Tell(HWND dialog, const char* text) {
  MessageBoxA(dialog, text, "Presupuestos", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

void TellSaveFailed(HWND dialog) { Tell(dialog, "No se ha podido guardar el presupuesto."); }

void TellPrintFailed(HWND dialog) {
  Tell(dialog, "No se ha podido imprimir el presupuesto en LPT1.");
}
