// The byte stream to the printer: every LF goes out as CR LF on every build,
// each line is flushed as it ends, and a failed write is remembered.
#pragma once
#include <ostream>
#include <string>

struct PrinterStream {
  std::ostream& out;    // opened in binary mode: the CR LF is made here
  bool failed = false;  // some write or flush did not go through
};

void PutByte(PrinterStream& stream, unsigned char byte);
// All the bytes of the text, each as PutByte sends it.
void WriteText(PrinterStream& stream, const std::string& text);
// LF, then a flush so that the line reaches the device at once.
void EndLine(PrinterStream& stream);
