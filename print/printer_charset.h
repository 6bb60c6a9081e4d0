// Texts as the printer must receive them: the four Spanish letters whose
// bytes differ in its IBM PC table, and no stray control bytes.
#pragma once
#include <string>

// ª º ñ Ñ become their bytes in the printer's table; every other byte stays,
// so the width never changes.
std::string ToPrinterCharset(std::string text);

// Control bytes (below 0x20, and 0x7F) become spaces, so that a typed or
// damaged field can never reach the printer as a command.
std::string BlankControlBytes(std::string text);
