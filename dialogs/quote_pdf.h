// "Guardar PDF" and "Enviar por correo" of the quote dialogs and the search:
// the quote's PDF in the folder PDF, then a word on where it is, or a new
// message in the mail program with it attached.
#pragma once
#include <cstdint>

#include <windows.h>

#include "common/company_data.h"
#include "store/quote_record.h"

void SavePdfForDialog(HWND dialog, const QuoteRecord& quote, int32_t number, const CompanyData& company);
void MailPdfForDialog(HWND dialog, const QuoteRecord& quote, int32_t number, const CompanyData& company);
