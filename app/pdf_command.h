// The command line "presupuestos.exe /pdf N RUTA": quote N's PDF written to
// RUTA, with no window.
#pragma once
#include <cstdint>
#include <string>

// True when the program was started with /pdf (in any case); `number` and
// `path` are then the two arguments after it, 0 and empty where they are
// not a quote number and a path.
bool PdfRequested(int32_t& number, std::wstring& path);

// Writes quote `number`'s PDF, the same bytes as "Guardar PDF", to `path`,
// refusing the program's own files and devices. It only reads the working
// folder. The exit code: 0 when the file was written, 1 when it was not.
int RunPdfCommand(int32_t number, const std::wstring& path);
