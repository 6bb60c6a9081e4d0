// The printer stream's three operations over any output stream.
#include "print/printer_stream.h"

namespace {
void NoteState(PrinterStream& stream) {
  if (!stream.out) stream.failed = true;
}
}  // namespace

void PutByte(PrinterStream& stream, unsigned char byte) {
  // The printer needs the carriage return that a text-mode file would add on
  // Windows; making it here keeps the bytes the same on every build.
  if (byte == '\n') stream.out.put('\r');
  stream.out.put(static_cast<char>(byte));
  NoteState(stream);
}

void WriteText(PrinterStream& stream, const std::string& text) {
  for (char byte : text) PutByte(stream, static_cast<unsigned char>(byte));
}

void EndLine(PrinterStream& stream) {
  PutByte(stream, '\n');
  stream.out.flush();
  NoteState(stream);
}
