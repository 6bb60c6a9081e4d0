// Windows-1252, the code page of every text the program holds, stores and
// prints, converted to and from the UTF-16 of the system's "W" calls.
#pragma once
#include <string>

// The character of one byte. The five bytes the code page leaves unassigned
// keep their value, as the system's own conversion does, so that every byte
// goes out and comes back unchanged.
wchar_t FromWindows1252(unsigned char byte);

// The byte of a character, or 0 where the code page lacks it (0 itself is
// never a character of a text).
unsigned char ToWindows1252(wchar_t character);

std::wstring Widen(const std::string& text);

// Each character the code page lacks becomes one "?" (a pair of UTF-16
// surrogates counts as one character); `replaced`, when given, is set when
// that happened.
std::string Narrow(const std::wstring& text, bool* replaced = nullptr);
