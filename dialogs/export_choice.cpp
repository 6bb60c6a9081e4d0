// The export's file choice and its message.
#include "dialogs/export_choice.h"

#include <cctype>

#include "common/number_text.h"
#include "common/windows1252.h"
#include "dialogs/failure_message.h"
#include "dialogs/window_text.h"
#include "store/quote_file.h"
#include "store/quote_record.h"

namespace {

// "0 presupuestos", "1 presupuesto", "3.000 presupuestos".
std::string Quotes(int32_t count) {
  return CountText(count) + (count == 1 ? " presupuesto" : " presupuestos");
}

// The path chosen, or an empty one for "Cancelar".
std::wstring ChooseFile(HWND dialog) {
  wchar_t file[1024] = L"presupuestos.csv";
  OPENFILENAMEW choice{};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = dialog;
  choice.lpstrFilter = L"Archivos CSV (*.csv)\0*.csv\0Todos los archivos (*.*)\0*.*\0";
  choice.nFilterIndex = 1;
  choice.lpstrFile = file;
  choice.nMaxFile = sizeof file / sizeof file[0];
  choice.lpstrDefExt = L"csv";
  // Without OFN_NOCHANGEDIR the dialog would move the process into the
  // folder chosen, and the program would go on working on the files there.
  choice.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                 OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&choice)) return std::wstring();
  return file;
}

}  // namespace

std::string ExportMessage(const std::string& path, const ExportResult& result) {
  if (!result.programFile.empty()) {
    return "No se puede exportar sobre " + result.programFile +
           ", que es un archivo de datos del programa. Elija otro nombre.";
  }
  if (!result.device.empty()) {
    std::string device = result.device;
    for (char& c : device) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return "No se puede exportar a " + device +
           ", que en Windows es el nombre de un dispositivo (una impresora o un puerto), no de "
           "un archivo. Elija otro nombre.";
  }
  if (result.temporariesTaken) {
    return "No se ha podido escribir el archivo " + path + ": en su carpeta ya hay archivos con "
           "todos los nombres que se usan mientras se escribe (" + path + ".tmp y " + path +
           ".2.tmp a " + path + ".99.tmp). Elija otro nombre, o saque de ella esos archivos.";
  }
  // Where the system gave a cause, it is said; otherwise the likeliest.
  std::string cause = CauseSentence(DiskFailure{result.cause, path});
  if (!result.written && !cause.empty()) {
    return "No se ha podido escribir el archivo " + path + "." + cause;
  }
  if (!result.written) {
    return "No se ha podido escribir el archivo " + path +
           ". Si est\xE1 abierto en otro programa, ci\xE9rrelo y vuelva a intentarlo.";
  }
  std::string text = (result.exported == 1 ? "Se ha exportado " : "Se han exportado ") +
                     Quotes(result.exported) + " a " + path + ".";
  if (result.unreadable == 1) {
    text += "\nNo se ha podido leer 1 presupuesto de datos.dat, que no se ha exportado.";
  } else if (result.unreadable > 1) {
    text += "\nNo se han podido leer " + Quotes(result.unreadable) +
            " de datos.dat, que no se han exportado.";
  }
  return text;
}

void ExportChosenQuotes(HWND dialog, const std::vector<int32_t>* numbers) {
  // A file of the program's own, or a device, is refused, and the user
  // chooses again.
  while (true) {
    std::wstring path = ChooseFile(dialog);
    if (path.empty()) return;
    ExportResult result = ExportQuotes(path, CatchUpCount(), numbers);
    ShowMessage(dialog, ExportMessage(Narrow(path), result), "Presupuestos",
                result.written && result.unreadable == 0 ? MB_OK | MB_ICONINFORMATION
                                                         : MB_OK | MB_ICONEXCLAMATION);
    if (result.programFile.empty() && result.device.empty()) return;
  }
}
