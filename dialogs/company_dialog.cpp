// The business's own data, edited over the template DatosEmpresa.
#include "dialogs/company_dialog.h"

#include <commctrl.h>

#include <string>

#include "common/picture_decoder.h"
#include "common/windows1252.h"
#include "dialogs/failure_message.h"
#include "dialogs/picture_preview.h"
#include "dialogs/window_text.h"
#include "print/amounts.h"
#include "print/letterhead.h"
#include "print/quote_sheet.h"
#include "resources/resource.h"
#include "store/company_file.h"
#include "store/disk.h"
#include "store/logo_file.h"

namespace {

// Each line with the characters it has room for on paper, said beside it,
// and a grey hint for while it is empty.
struct Field {
  int id;
  int roomId;
  std::string CompanyData::*text;
  std::size_t room;
  const char* hint;
};
const Field kFields[] = {
    {IDC_COMPANY_NAME, IDC_ROOM_NAME, &CompanyData::name, kNameRoom, "Nombre de la empresa"},
    {IDC_COMPANY_ACTIVITY, IDC_ROOM_ACTIVITY, &CompanyData::activity, kActivityRoom,
     "A qu\xE9 se dedica"},
    {IDC_COMPANY_ADDRESS, IDC_ROOM_ADDRESS, &CompanyData::address, kAddressRoom,
     "Calle, n\xFAmero, c\xF3" "digo postal y localidad"},
    {IDC_COMPANY_PHONE, IDC_ROOM_PHONE, &CompanyData::phone, kPhoneRoom, "Tel\xE9" "fono"},
    {IDC_COMPANY_OTHER, IDC_ROOM_OTHER, &CompanyData::other, kOtherRoom, "NIF, correo, web"},
    {IDC_COMPANY_VAT, 0, &CompanyData::vatRate, 6, "21"},
};
const int kFooterIds[kFooterLines] = {IDC_COMPANY_FOOTER1, IDC_COMPANY_FOOTER2,
                                      IDC_COMPANY_FOOTER3};
const char* const kFooterHints[kFooterLines] = {("Validez del presupuesto: 30 d\xED" "as"),
                                                "Forma de pago", "Cuenta bancaria"};

// The logo as the dialog has it: the name empresa.ini will hold, a newly
// picked file's bytes to copy in at "Aceptar" (none where it is the
// stored one), and its pixels for the preview. One dialog at a time.
struct LogoChoice {
  std::string name;
  std::string bytes;
  Picture picture;
};
LogoChoice Logo;

void Tell(HWND dialog, const std::string& text) {
  ShowMessage(dialog, text, "Presupuestos", MB_OK | MB_ICONEXCLAMATION);
}

void Hint(HWND dialog, int id, const std::string& hint) {
  std::wstring text = Widen(hint);
  SendDlgItemMessageW(dialog, id, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string RoomText(std::size_t room) { return std::to_string(room) + " caracteres"; }

void Open(HWND dialog) {
  CompanyRead read = ConvertAndReadCompanyFile();
  // Shown as placeholders, the business's data would be written over.
  if (read.unreadable) {
    TellCompanyUnreadable(dialog, read.failure, false);
    EndDialog(dialog, 0);
    return;
  }
  if (read.damaged) {
    Tell(dialog, "empresa.ini no contiene los datos de la empresa: no es un archivo de texto "
                 "(puede estar da\xF1" "ado). Escriba los datos; al pulsar Aceptar, ese archivo "
                 "se guardar\xE1 aparte, sin cambiarlo, y se har\xE1 uno nuevo.");
  }
  const CompanyData& company = read.data;
  const CompanyData placeholders;
  for (const Field& field : kFields) {
    SendDlgItemMessageW(dialog, field.id, EM_LIMITTEXT, static_cast<WPARAM>(field.room), 0);
    Hint(dialog, field.id, field.hint);
    if (field.roomId != 0) SetControlText(dialog, field.roomId, RoomText(field.room));
    // A placeholder is no value: the field shows empty, with its hint.
    const std::string& value = company.*field.text;
    SetControlText(dialog, field.id,
                   value == placeholders.*field.text ? std::string() : value.substr(0, field.room));
  }
  for (std::size_t line = 0; line < kFooterLines; ++line) {
    SendDlgItemMessageW(dialog, kFooterIds[line], EM_LIMITTEXT, kFooterRoom, 0);
    Hint(dialog, kFooterIds[line], kFooterHints[line]);
    SetControlText(dialog, kFooterIds[line], company.footer[line].substr(0, kFooterRoom));
  }
  SetControlText(dialog, IDC_ROOM_FOOTER, RoomText(kFooterRoom));
  CheckRadioButton(dialog, IDC_PRINTER_LPT1, IDC_PRINTER_CHOOSE,
                   company.choosePrinter ? IDC_PRINTER_CHOOSE : IDC_PRINTER_LPT1);
  Logo = LogoChoice{company.logo, std::string(), company.logoPicture};
  ShowPicture(dialog, IDC_LOGO_PREVIEW, Logo.picture);
  SetFocus(GetDlgItem(dialog, IDC_COMPANY_NAME));
}

// "Examinar…": a picture file from anywhere, kept for "Aceptar" once it
// reads as a picture.
void Browse(HWND dialog) {
  wchar_t path[MAX_PATH * 4] = L"";
  OPENFILENAMEW choice{};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = dialog;
  choice.lpstrFilter = L"Im\u00E1genes (PNG, JPEG, BMP)\0*.png;*.jpg;*.jpeg;*.bmp\0";
  choice.lpstrFile = path;
  choice.nMaxFile = sizeof path / sizeof path[0];
  choice.lpstrTitle = L"Logotipo de la empresa";
  // The working folder is the process's current folder: the dialog must
  // not move it.
  choice.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                 OFN_EXPLORER;
  if (!GetOpenFileNameW(&choice)) return;
  std::string bytes;
  if (!ReadOutsideFile(path, bytes)) {
    Tell(dialog, "No se ha podido leer el archivo " + Narrow(path) + ".");
    return;
  }
  Picture picture;
  if (LogoFileName(bytes).empty() || !DecodePicture(bytes, picture)) {
    Tell(dialog, "El archivo " + Narrow(path) +
                     " no es una imagen PNG, JPEG o BMP que se pueda leer; el logotipo no cambia.");
    return;
  }
  Logo = LogoChoice{LogoFileName(bytes), bytes, ShrunkToFit(picture, kLogoMostWide, kLogoMostHigh)};
  ShowPicture(dialog, IDC_LOGO_PREVIEW, Logo.picture);
}

void RemoveLogo(HWND dialog) {
  Logo = LogoChoice();
  ShowPicture(dialog, IDC_LOGO_PREVIEW, Logo.picture);
}

void Accept(HWND dialog) {
  CompanyData company;
  bool anyReplaced = false;
  for (const Field& field : kFields) {
    bool replaced = false;
    company.*field.text = ControlText(dialog, field.id, field.room + 1, &replaced);
    if (replaced) SetControlText(dialog, field.id, company.*field.text);
    anyReplaced = anyReplaced || replaced;
  }
  for (std::size_t line = 0; line < kFooterLines; ++line) {
    bool replaced = false;
    company.footer[line] = ControlText(dialog, kFooterIds[line], kFooterRoom + 1, &replaced);
    if (replaced) SetControlText(dialog, kFooterIds[line], company.footer[line]);
    anyReplaced = anyReplaced || replaced;
  }
  if (anyReplaced) TellReplaced(dialog);
  // With no name the letterhead keeps printing its placeholder.
  if (company.name.empty()) company.name = CompanyData().name;
  company.choosePrinter = IsDlgButtonChecked(dialog, IDC_PRINTER_CHOOSE) == BST_CHECKED;
  if (company.vatRate.find_first_not_of(' ') != std::string::npos && !ReadRate(company.vatRate)) {
    Tell(dialog, "El IVA ha de ser un porcentaje como 21, 10, 4 o 5,5; d\xE9jelo vac\xEDo para "
                 "no calcularlo.");
    SetFocus(GetDlgItem(dialog, IDC_COMPANY_VAT));
    return;
  }
  DiskClearFailure();
  if (!Logo.bytes.empty() && !StoreLogo(Logo.bytes)) {
    Tell(dialog, "No se ha podido guardar el logotipo en la carpeta de trabajo." +
                     CauseSentence(DiskLastFailure()));
    return;
  }
  company.logo = Logo.name;
  std::string setAside;
  DiskClearFailure();
  if (!WriteCompanyData(company, &setAside)) {
    Tell(dialog, "No se han podido guardar los datos de la empresa en empresa.ini." +
                     CauseSentence(DiskLastFailure()));
    return;
  }
  if (!setAside.empty()) {
    Tell(dialog, "El empresa.ini anterior, que no conten\xED" "a los datos de la empresa, se ha "
                 "guardado aparte como " + setAside + ".");
  }
  EndDialog(dialog, 1);
}

}  // namespace

INT_PTR CALLBACK CompanyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      Open(dialog);
      return FALSE;
    case WM_DESTROY:
      ShowPicture(dialog, IDC_LOGO_PREVIEW, Picture());
      Logo = LogoChoice();
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          Accept(dialog);
          break;
        case IDCANCEL:
          EndDialog(dialog, 0);
          break;
        case IDC_LOGO_BROWSE:
          Browse(dialog);
          break;
        case IDC_LOGO_REMOVE:
          RemoveLogo(dialog);
          break;
        default:
          break;
      }
      return TRUE;
    default:
      return FALSE;
  }
}
