// The folder PDF in the working folder, where the quotes' PDFs go, and the
// names of the files in it.
#pragma once
#include <cstdint>
#include <string>

#include "store/disk.h"

inline constexpr wchar_t kPdfFolder[] = L"PDF";

// "Presupuesto 12 - García López.pdf" for quote 12 of that customer (a
// Windows-1252 name): the characters Windows forbids in a file name put as
// "_", spaces run together, dots and spaces at its ends left out;
// "Presupuesto 12.pdf" for a name without a letter or a digit.
std::wstring PdfFileName(int32_t number, const std::string& customer);

struct PdfSaved {
  bool written = false;
  std::wstring path;  // full, where it was or would have been written
  DiskCause cause = DiskCause::None;
  bool folderMissing = false;  // the folder PDF could not be made
};
// Writes `bytes` as `name` in the folder PDF, making the folder on first
// use; a failure leaves no part of the file.
PdfSaved SaveInPdfFolder(const std::wstring& name, const std::string& bytes);
