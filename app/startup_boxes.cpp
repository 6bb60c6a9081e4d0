// Start-up's message boxes. The texts are Windows-1252; the quote numbers go
// in as the program writes them everywhere else, counts with thousands dots.
#include "app/startup_boxes.h"

#include <string>

#include "common/number_text.h"
#include "dialogs/failure_message.h"
#include "dialogs/window_text.h"
#include "store/dated_backup.h"
#include "store/file_names.h"

namespace {

const char kCaption[] = "Presupuestos";

int Tell(HWND owner, const std::string& text, UINT type) {
  return ShowMessage(owner, text, kCaption, type);
}

std::string Number(int32_t n) { return IntToText(n, 0); }

// "El presupuesto 4 se ha", "Los presupuestos 4 y 5 se han", "Los
// presupuestos 4 a 9 se han".
std::string QuotesSubject(int32_t first, int32_t last) {
  if (first == last) return "El presupuesto " + Number(first) + " se ha";
  std::string joint = last == first + 1 ? " y " : " a ";
  return "Los presupuestos " + Number(first) + joint + Number(last) + " se han";
}

// "config.cfg cuenta 6, pero solo se pueden leer 5"
std::string CountedAndStored(const StartUpReport& report) {
  int32_t stored = report.firstMissing - 1;
  return "config.cfg cuenta " + CountText(report.lastMissing) + ", pero " +
         (stored > 0 ? "solo se pueden leer " + CountText(stored)
                     : std::string("no se puede leer ninguno"));
}

// A source of quotes as the user finds it: trasvase.dat, or the quote file
// of a dated backup folder.
std::string SourceName(const std::string& source) {
  return source == kTransferFile || source == kNewTransferFile
             ? source
             : std::string(kQuoteFile) + " de la copia de seguridad " + source;
}

}  // namespace

void TellLockUnusable() {
  Tell(nullptr,
       std::string("No se puede abrir el archivo ") + kLockFile +
           " de esta carpeta, con el que las copias del programa que la usan se turnan para "
           "guardar. "
           "Compruebe que es un archivo (no una carpeta) y que se puede escribir en \xE9l, o "
           "b\xF3rrelo con el programa cerrado.",
       MB_OK | MB_ICONEXCLAMATION);
}

void TellFolderAlone(HWND window) {
  Tell(window,
       "Esta carpeta no admite los bloqueos de archivo con los que varios equipos trabajan a la "
       "vez en ella: mientras el programa est\xE9 abierto aqu\xED, no se podr\xE1 abrir en otro "
       "equipo.",
       MB_OK | MB_ICONINFORMATION);
}

void TellRecovered(const StartUpReport& report) {
  std::string text;
  if (report.correctionFinished) {
    text = "Una correcci\xF3n de un presupuesto qued\xF3 a medias: se ha terminado, y datos.dat "
           "se ha tomado de datos.dat.tmp, que la conten\xED" "a entera.";
  }
  for (const QuotesTakenBack& taken : report.recovered) {
    if (!text.empty()) text += "\n";
    if (taken.source == kQuoteFile) {
      text += "El presupuesto " + Number(taken.first) + " estaba cortado al final de datos.dat: "
              "se ha completado con lo que quedaba de \xE9l. Rev\xEDselo.";
      continue;
    }
    std::string source = taken.source == kTransferFile || taken.source == kNewTransferFile
                             ? taken.source
                             : "la copia de seguridad " + taken.source;
    text += QuotesSubject(taken.first, taken.last) + " recuperado de " + source + ".";
  }
  Tell(nullptr, text, MB_OK | MB_ICONINFORMATION);
}

bool AskToNumberAfterStored(const StartUpReport& report) {
  std::string missing = report.firstMissing == report.lastMissing
                            ? "El n\xFAmero " + Number(report.firstMissing) + " se dar\xE1"
                            : "Los n\xFAmeros " + Number(report.firstMissing) + " a " +
                                  Number(report.lastMissing) + " se dar\xE1n";
  std::string text =
      "Faltan presupuestos en datos.dat: " + CountedAndStored(report) +
      ", y los que faltan no est\xE1n en trasvase.dat ni en las copias de seguridad.\n\n"
      "\xBF" "Desea numerar los presupuestos nuevos a partir del " + Number(report.firstMissing) +
      "? " + missing + " otra vez.\n\n"
      "Si responde No, no se cambia nada por ahora (y no se pueden guardar presupuestos). Para "
      "traer una copia de seguridad, cierre el programa y copie datos.dat y config.cfg de la "
      "carpeta de la copia (la de su fecha, como 6-12-2026) en esta carpeta, como explica "
      "LEEME.txt.";
  return Tell(nullptr, text, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TellSourceUnread(const StartUpReport& report) {
  const DiskFailure& failure = report.unreadFailure;
  std::string source = SourceName(report.unreadSource);
  // The source was read, and what it holds could not be written.
  bool notCopied = failure.file == kQuoteFile;
  std::string what = notCopied ? "no se han podido copiar a datos.dat los que hay en " + source
                               : "no se ha podido leer " + source + ", que puede tenerlos";
  std::string aside = report.unreadSource == kTransferFile ? std::string(kTransferFile)
                                                          : "la carpeta " + report.unreadSource;
  // A refused read is no refused write, as the general sentence says.
  std::string cause = failure.cause == DiskCause::NoPermission && !notCopied
                          ? "\nCausa: no hay permiso para leer " + source + "."
                          : CauseSentence(failure);
  Tell(nullptr,
       "Faltan presupuestos en datos.dat: " + CountedAndStored(report) + ", y " + what + "." +
           cause +
           "\n\nCierre el programa que lo est\xE9 usando, o d\xE9le permiso para leerlo, y vuelva "
           "a abrir Presupuestos. Si no se puede leer de ning\xFAn modo (una copia da\xF1" "ada), "
           "saque " + aside + " de esta carpeta: el programa preguntar\xE1 entonces qu\xE9 hacer "
           "con los n\xFAmeros que faltan. Hasta entonces no se pueden guardar presupuestos, y "
           "esos n\xFAmeros no se dan a otros.",
       MB_OK | MB_ICONEXCLAMATION);
}

void TellNumberingNotChanged(const DiskFailure& failure) {
  Tell(nullptr, "No se ha podido cambiar la cuenta de presupuestos en config.cfg." +
                    CauseSentence(failure),
       MB_OK | MB_ICONEXCLAMATION);
}

void TellBackupFailed(HWND window, const DiskFailure& failure) {
  std::string today = BackupFolderName(TodayText);
  std::string cause = failure.file == today
                          ? "\nCausa: ya hay en la carpeta un archivo o una carpeta llamado " +
                                today + " que no es una copia; c\xE1mbielo de nombre o s\xE1quelo "
                                "de la carpeta."
                          : CauseSentence(failure);
  Tell(window,
       "No se ha podido hacer la copia de seguridad de los datos. Se intentar\xE1 de nuevo "
       "dentro de cinco arranques." + cause,
       MB_OK | MB_ICONEXCLAMATION);
}

void TellFolderReadOnly(HWND window) {
  Tell(window,
       "No se puede escribir en la carpeta de los datos: se pueden ver e imprimir los "
       "presupuestos, pero no guardarlos, y no se hacen copias de seguridad. Para trabajar "
       "con ellos, copie la carpeta (el programa y sus datos) a un lugar en el que se pueda "
       "escribir, como Documentos.",
       MB_OK | MB_ICONEXCLAMATION);
}

void TellSettingsUnwritten(HWND window, const DiskFailure& failure) {
  Tell(window,
       "No se ha podido escribir en config.cfg: no se pueden guardar presupuestos mientras "
       "no se pueda." + CauseSentence(failure),
       MB_OK | MB_ICONEXCLAMATION);
}

void TellFolderInPlace(const std::string& name) {
  std::string what = name == kQuoteFile ? "los presupuestos" : "la cuenta de los presupuestos";
  Tell(nullptr,
       "En la carpeta de los datos hay una carpeta llamada " + name + ", donde el programa guarda " +
           what + " en un archivo de ese nombre. Mientras est\xE9 ah\xED no se pueden guardar "
           "presupuestos. Cierre el programa, mire qu\xE9 contiene esa carpeta, y c\xE1mbiela de "
           "nombre o s\xE1quela de la carpeta de los datos.",
       MB_OK | MB_ICONEXCLAMATION);
}
