// The business's own data: the five letterhead lines of every printed quote,
// the IVA rate and how quotes reach a printer, as Windows-1252 texts.
#pragma once
#include <string>

struct CompanyData {
  // Each line as it prints; until the business sets it, the placeholder
  // the letterhead has always had.
  std::string name = "Nombre empresa.";
  std::string activity = "Datos";
  std::string address = "Direccion";
  std::string phone = "Telefono";
  std::string other = "Datos";
  // The IVA rate as typed ("21", "5,5"); empty: no IVA is worked out.
  std::string vatRate;
  // false: LPT1, and the print dialog only where LPT1 cannot be opened;
  // true: the print dialog for every quote.
  bool choosePrinter = false;
};
