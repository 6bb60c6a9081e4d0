// The business's own data: the five letterhead lines of every printed quote,
// the IVA rate, the lines under the boxes, the logo and how quotes reach a
// printer, texts in Windows-1252.
#pragma once
#include <array>
#include <cstddef>
#include <string>

#include "common/picture.h"

constexpr std::size_t kFooterLines = 3;

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
  // Lines printed under the boxes (validity, payment terms, a bank account);
  // empty ones print nothing.
  std::array<std::string, kFooterLines> footer;
  // The logo's file in the working folder ("logo.png"); empty: no logo.
  std::string logo;
  // Its pixels, where it could be read.
  Picture logoPicture;
  // false: LPT1, and the print dialog only where LPT1 cannot be opened;
  // true: the print dialog for every quote.
  bool choosePrinter = false;
};
