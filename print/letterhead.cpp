// The letterhead: the firm's name and particulars in large decorated type.
#include "print/letterhead.h"

#include <initializer_list>

namespace {
void PutCode(PrinterStream& stream, std::initializer_list<unsigned char> code) {
  for (unsigned char byte : code) PutByte(stream, byte);
}
constexpr unsigned char ESC = 0x1B;
}  // namespace

void WriteLetterhead(PrinterStream& stream) {
  PutCode(stream, {ESC, 'W', 1});  // double width on
  // Double height is asked for twice; printers take the repeat as a no-op.
  PutCode(stream, {ESC, 'w', 1});
  PutCode(stream, {ESC, 'w', 1});
  PutCode(stream, {ESC, 'k', 4});  // Script
  PutCode(stream, {ESC, 'P'});     // 10 cpi
  PutCode(stream, {ESC, 'E'});     // bold on
  PutCode(stream, {ESC, '4'});     // italic on
  PutCode(stream, {ESC, 'l', 5});  // left margin 5
  WriteText(stream, "\n\n\n\nNombre empresa.\n\n");
  PutCode(stream, {ESC, '5'});     // italic off
  PutCode(stream, {ESC, 'W', 0});  // double width off
  WriteText(stream, "                     Datos\n\n\n");
  PutCode(stream, {ESC, 'w', 0});  // double height off
  PutCode(stream, {ESC, 'q', 3});  // outline with shadow
  WriteText(stream, "         Direccion\n");
  WriteText(stream, "               Telefono\n");
  WriteText(stream, "                       Datos\n\n\n");
  PutCode(stream, {ESC, 'q', 0});  // normal style
  PutCode(stream, {ESC, 'F'});     // bold off
  PutCode(stream, {ESC, 'q', 0});
  PutCode(stream, {ESC, 'k', 7});  // Orator for the sheet
  PutCode(stream, {ESC, 'l', 0});  // left margin 0
}

void WriteJobHead(PrinterStream& stream) {
  EndLine(stream);
  EndLine(stream);
  WriteLetterhead(stream);
  EndLine(stream);
  EndLine(stream);
  EndLine(stream);
}
