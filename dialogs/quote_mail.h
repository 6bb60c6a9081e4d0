// "Enviar por correo": a new message in the PC's own mail program, through
// Simple MAPI, with the quote's PDF attached; the user checks and sends it.
#pragma once
#include <cstdint>
#include <string>

#include <windows.h>

#include "common/company_data.h"
#include "store/quote_record.h"

// "Presupuesto Nº 12 - Reformas Peña S.L.", or "Presupuesto Nº 12" while the
// business has no name of its own (Windows-1252).
std::string MailSubject(int32_t number, const CompanyData& company);
// A greeting, the quote's number and total (with IVA where the sheet works
// it out) and the business's name, with Windows line ends.
std::string MailBody(const QuoteRecord& quote, int32_t number, const CompanyData& company);

enum class MailResult {
  Opened,     // the mail program took the message
  Cancelled,  // the user closed it without sending
  NoProgram,  // no mail program (no Simple MAPI, or it refused)
};
// Hands the message, with the file at `path` (full) attached, to the
// system's MAPISendMailW, loaded at run time from mapi32.dll, its windows
// owned by `dialog`.
MailResult OpenMailMessage(HWND dialog, const std::string& subject, const std::string& body,
                           const std::wstring& path);
