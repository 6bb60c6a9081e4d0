// The failure notices, in the dialog's own modal box: without them a failed
// save or print, or a quote shown empty because it could not be read, would
// look exactly like a good one.
#include "dialogs/failure_message.h"

#include <string>

#include "common/number_text.h"
#include "dialogs/window_text.h"
#include "store/file_names.h"

namespace {

void Tell(HWND dialog, const std::string& text) {
  ShowMessage(dialog, text, "Presupuestos", MB_OK | MB_ICONEXCLAMATION);
}

const char* Reason(SaveRefusal why) {
  switch (why) {
    case SaveRefusal::FilesChanged:
      return "\nLos archivos de datos han cambiado desde que se abri\xF3 el programa: "
             "ci\xE9rrelo y vuelva a abrirlo.";
    case SaveRefusal::QuotesMissing:
      return "\nFaltan presupuestos en datos.dat.";
    case SaveRefusal::NoNumberLeft:
      return "\nNo quedan n\xFAmeros para m\xE1s presupuestos.";
    case SaveRefusal::ChangedSinceShown:
      return "\nEl presupuesto ha cambiado en datos.dat desde que se mostr\xF3 (lo ha guardado "
             "otra copia del programa): la correcci\xF3n no se ha guardado. Cierre la ventana y "
             "vuelva a abrirla para ver el presupuesto guardado.";
    case SaveRefusal::None:
      break;
  }
  return "";
}

bool IsKeptFile(const std::string& name) {
  return name == kQuoteFile || name == kSettingsFile || name == kTransferFile ||
         name == kCompanyFile;
}

std::string FolderInPlace(const std::string& name) {
  return "\nCausa: " + name + " es una carpeta, no un archivo. C\xE1mbiela de nombre o s\xE1quela "
         "de la carpeta de los datos.";
}

}  // namespace

std::string CauseSentence(const DiskFailure& failure) {
  // A folder under a file's name refuses every open as a denied access.
  if (!failure.file.empty() && DiskIsFolder(failure.file.c_str())) return FolderInPlace(failure.file);
  switch (failure.cause) {
    case DiskCause::DiskFull:
      return "\nCausa: el disco est\xE1 lleno.";
    case DiskCause::NoPermission:
      // Deleted while copies hold it open: its name stays, refusing opens,
      // until the last copy closes.
      if (failure.file == kLockFile) {
        return "\nCausa: no se puede abrir " + failure.file + ", con el que las copias del programa "
               "se turnan para guardar; puede que se haya borrado con el programa abierto. Cierre "
               "el programa en todos los equipos y vuelva a abrirlo.";
      }
      // A file the program makes new (a .tmp) is refused by the folder; one
      // of the files it keeps, by itself, as a read-only one is.
      if (IsKeptFile(failure.file)) {
        return "\nCausa: no hay permiso para cambiar " + failure.file +
               " (puede estar marcado como de solo lectura).";
      }
      return "\nCausa: no hay permiso para escribir en la carpeta.";
    case DiskCause::InUse:
      // Another copy's change held the lock for the whole wait, whatever
      // this change was.
      if (failure.file == kLockFile) {
        return "\nOtro equipo lleva m\xE1s de 5 segundos guardando en la carpeta de los datos. "
               "Vuelva a intentarlo dentro de un momento.";
      }
      return "\nCausa: otro programa est\xE1 usando " + failure.file + ".";
    case DiskCause::Network:
      return "\nCausa: se ha perdido la conexi\xF3n con la carpeta de los datos en la red. "
             "Compruebe la red y vuelva a intentarlo.";
    case DiskCause::Other:
    case DiskCause::None:
      break;
  }
  return "";
}

void TellSaveFailed(HWND dialog, SaveRefusal why, const DiskFailure& failure) {
  std::string reason = Reason(why);
  if (reason.empty()) reason = CauseSentence(failure);
  Tell(dialog, "No se ha podido guardar el presupuesto." + reason);
}

void TellStoredQuoteChanged(HWND dialog, int32_t number) {
  Tell(dialog, "No se ha podido guardar el presupuesto.\nEl presupuesto " + IntToText(number, 0) +
                   " ha cambiado en datos.dat desde que se guard\xF3 aqu\xED (lo ha guardado otra "
                   "copia del programa): la correcci\xF3n no se ha guardado. El presupuesto "
                   "guardado se ve en \"Modificar Presupuesto\".");
}

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

void TellCompanyUnreadable(HWND dialog, const DiskFailure& failure, bool printing) {
  bool folder = DiskIsFolder(kCompanyFile);
  std::string cause = folder ? FolderInPlace(kCompanyFile)
                      : failure.cause == DiskCause::NoPermission
                          ? "\nCausa: no hay permiso para leer empresa.ini."
                          : CauseSentence(failure);
  std::string advice = folder ? "" : "\nCierre el programa que lo tenga abierto y vuelva a intentarlo.";
  std::string unread = "No se ha podido leer empresa.ini, con los datos de la empresa.";
  if (printing) unread = "El presupuesto no se ha impreso: no se ha podido leer empresa.ini, con "
                         "los datos de la empresa.";
  Tell(dialog, unread + cause + advice);
}

void TellUnreadable(HWND dialog, int32_t number) {
  Tell(dialog, "No se ha podido leer el presupuesto " + IntToText(number, 0) + " de datos.dat.");
}

void TellUnreadableNotPrinted(HWND dialog, int32_t number) {
  Tell(dialog, "No se imprime el presupuesto " + IntToText(number, 0) +
                   ": no se ha podido leer.");
}

void TellUnreadableNotSaved(HWND dialog, int32_t number) {
  Tell(dialog, "No se guarda el presupuesto " + IntToText(number, 0) +
                   ": no se ha podido leer.");
}

void TellLogoUnreadableOnce(HWND dialog, const std::string& name) {
  static bool told = false;
  if (told) return;
  told = true;
  Tell(dialog, "No se ha podido leer el logotipo (" + name + "): el presupuesto sale sin \xE9l. "
               "Puede elegir otro en \"Datos de la empresa\".");
}
