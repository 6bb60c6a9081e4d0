// The command line "presupuestos.exe /exportar RUTA": every stored quote
// written to a spreadsheet file, with no window.
#pragma once
#include <string>

// True when the program was started with /exportar (in any case); `path` is
// then the one argument after it, or empty when there is not exactly one.
bool ExportRequested(std::wstring& path);

// Writes every stored quote to `path`. It only reads the working folder, so
// it runs beside a copy of the program open on it. The exit code: 0 when the
// file was written, 1 when it could not be.
int RunExportCommand(const std::wstring& path);
