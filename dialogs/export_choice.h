// "Exportar…" in the search dialog: the file chosen in the system's Save As
// dialog, the export, and what came of it told.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

#include "store/quote_export.h"

// Exports the quotes `numbers` holds, or every stored quote when it is null.
void ExportChosenQuotes(HWND dialog, const std::vector<int32_t>* numbers);

// What the user is told after an export to `path` (Windows-1252).
std::string ExportMessage(const std::string& path, const ExportResult& result);
