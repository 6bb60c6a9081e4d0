// Texts as the printer must receive them: Windows-1252 letters in the IBM PC
// table (code page 437) the printer is set to, and no stray control bytes.
#pragma once
#include <string>

// Every character that code page 437 has becomes its byte there; a capital
// it lacks (Á, Í, Ó, Ú, À, …) becomes the letter without its accent, any
// other character a one-column look-alike or "?". The euro sign, which the
// table lacks, is C struck over with = (C, backspace, =). Each character
// still takes one column on paper.
std::string ToPrinterCharset(const std::string& text);

// Control bytes (below 0x20, and 0x7F) become spaces, so that a typed or
// damaged field can never reach the printer as a command.
std::string BlankControlBytes(std::string text);
