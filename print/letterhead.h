// The fixed heading of every printed quote: ESC/P codes and the firm's texts.
#pragma once
#include "print/printer_stream.h"

// Leaves the printer at normal size and style, typeface Orator, 10 cpi and
// left margin 0, the state the quote sheet prints in.
void WriteLetterhead(PrinterStream& stream);

// Everything a job sends before the sheet: two line ends, the letterhead,
// three line ends.
void WriteJobHead(PrinterStream& stream);
