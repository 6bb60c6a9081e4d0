// The failure notices, in the dialog's own modal box: without them a failed
// save or print would look exactly like a good one.
#include "dialogs/failure_message.h"

namespace {

void Tell(HWND dialog, const char* text) {
  MessageBoxA(dialog, text, "Presupuestos", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

void TellSaveFailed(HWND dialog) { Tell(dialog, "No se ha podido guardar el presupuesto."); }

void TellPrintResult(HWND dialog, PrintResult result) {
  switch (result) {
    case PrintResult::DeviceFailed:
      Tell(dialog, "No se ha podido imprimir el presupuesto en LPT1.");
      break;
    case PrintResult::NoPrinter:
      Tell(dialog, "No hay ninguna impresora instalada en este equipo.");
      break;
    case PrintResult::SpoolerFailed:
      Tell(dialog, "No se ha podido imprimir el presupuesto en la impresora elegida.");
      break;
    case PrintResult::Printed:
    case PrintResult::Cancelled:
      break;
  }
}
