// The business's own data, edited over the template DatosEmpresa.
#include "dialogs/company_dialog.h"

#include <string>

#include "dialogs/failure_message.h"
#include "dialogs/window_text.h"
#include "print/amounts.h"
#include "print/letterhead.h"
#include "resources/resource.h"
#include "store/company_file.h"

namespace {

// Each line with the characters its letterhead line has room for.
struct Field {
  int id;
  std::string CompanyData::*text;
  std::size_t room;
};
const Field kFields[] = {
    {IDC_COMPANY_NAME, &CompanyData::name, kNameRoom},
    {IDC_COMPANY_ACTIVITY, &CompanyData::activity, kActivityRoom},
    {IDC_COMPANY_ADDRESS, &CompanyData::address, kAddressRoom},
    {IDC_COMPANY_PHONE, &CompanyData::phone, kPhoneRoom},
    {IDC_COMPANY_OTHER, &CompanyData::other, kOtherRoom},
    {IDC_COMPANY_VAT, &CompanyData::vatRate, 6},
};

void Tell(HWND dialog, const std::string& text) {
  ShowMessage(dialog, text, "Presupuestos", MB_OK | MB_ICONEXCLAMATION);
}

void Open(HWND dialog) {
  CompanyRead read = ReadCompanyFile();
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
  for (const Field& field : kFields) {
    SendDlgItemMessageW(dialog, field.id, EM_LIMITTEXT, static_cast<WPARAM>(field.room), 0);
    SetControlText(dialog, field.id, (company.*field.text).substr(0, field.room));
  }
  CheckRadioButton(dialog, IDC_PRINTER_LPT1, IDC_PRINTER_CHOOSE,
                   company.choosePrinter ? IDC_PRINTER_CHOOSE : IDC_PRINTER_LPT1);
  SetFocus(GetDlgItem(dialog, IDC_COMPANY_NAME));
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
  if (anyReplaced) TellReplaced(dialog);
  company.choosePrinter = IsDlgButtonChecked(dialog, IDC_PRINTER_CHOOSE) == BST_CHECKED;
  if (company.vatRate.find_first_not_of(' ') != std::string::npos && !ReadRate(company.vatRate)) {
    Tell(dialog, "El IVA ha de ser un porcentaje como 21, 10, 4 o 5,5; d\xE9jelo vac\xEDo para "
                 "no calcularlo.");
    SetFocus(GetDlgItem(dialog, IDC_COMPANY_VAT));
    return;
  }
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
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          Accept(dialog);
          break;
        case IDCANCEL:
          EndDialog(dialog, 0);
          break;
        default:
          break;
      }
      return TRUE;
    default:
      return FALSE;
  }
}
