// The text of a file that a user may have saved with Notepad: UTF-16 or
// UTF-8 with a byte order mark, UTF-8 without one, or ANSI (Windows-1252).
#pragma once
#include <cstdint>
#include <string>

// The characters of `bytes`: by their byte order mark where there is one;
// otherwise UTF-16 where zero bytes fill one half of its pairs (as some
// editors save it, without its mark), UTF-8 where every byte reads as
// UTF-8, Windows-1252 where not; zero bytes in 8-bit text are dropped.
std::wstring DecodeTextFile(const std::string& bytes);

// One Unicode character appended to `out` as UTF-8.
void AppendUtf8(std::string& out, uint32_t character);
// `text` as UTF-8, the form of a path handed to the disk seam.
std::string Utf8Text(const std::wstring& text);

// `text` as UTF-16 little-endian bytes behind their byte order mark, the
// form the system's profile functions read and write as Unicode.
std::string Utf16FileBytes(const std::wstring& text);
