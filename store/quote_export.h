// The export of stored quotes to a spreadsheet file (CSV), for the search
// dialog's "Exportar…" and the command line's /exportar.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "store/disk_kinds.h"
#include "store/quote_record.h"

struct ExportResult {
  bool written = false;    // the file is there and whole
  int32_t exported = 0;    // quotes in it
  int32_t unreadable = 0;  // quotes left out because they could not be read
  // The program's own file the path reaches (see ProgramFileReached), or the
  // device (see DeviceAt), where the export was refused for that; nothing
  // was written then.
  std::string programFile;
  std::string device;
  // Why the file could not be written, where the system said.
  DiskCause cause = DiskCause::None;
  // Every name for the temporary (the path and ".tmp", ".2.tmp" to
  // ".99.tmp") is taken by a file of the user's: nothing was written.
  bool temporariesTaken = false;
};

// Writes to `path` the header row and, in number order, each of quotes 1 to
// `count` that `numbers` holds (in any order), or all of them when it is
// null. Reads datos.dat in one pass. The file is built beside `path` (its
// name and ".tmp", or the next free such name) through the disk seam, synced
// and put in place only once whole; on failure `written` is false and an
// earlier file at `path` is left as it was. A path that
// names one of the program's own files, itself or through its temporary, or
// a device, is refused before anything is written.
ExportResult ExportQuotes(const std::wstring& path, int32_t count,
                          const std::vector<int32_t>* numbers = nullptr);

// One quote's row: number, date, name, address, total and text.
void AppendQuoteRow(std::string& out, int32_t number, const QuoteRecord& record);
