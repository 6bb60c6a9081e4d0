// Conversion of printed texts to the printer's character table.
#include "print/printer_charset.h"

std::string ToPrinterCharset(std::string text) {
  // None of the printer bytes is one of the bytes looked for, so one scan
  // gives the same text as replacing each letter in turn.
  for (char& byte : text) {
    switch (static_cast<unsigned char>(byte)) {
      case 0xAA: byte = '\xA6'; break;  // ª
      case 0xBA: byte = '\xA7'; break;  // º
      case 0xF1: byte = '\xA4'; break;  // ñ
      case 0xD1: byte = '\xA5'; break;  // Ñ
      default: break;
    }
  }
  return text;
}

std::string BlankControlBytes(std::string text) {
  for (char& byte : text) {
    unsigned char code = static_cast<unsigned char>(byte);
    if (code < 0x20 || code == 0x7F) byte = ' ';
  }
  return text;
}
