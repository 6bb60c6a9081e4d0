// A file's whole path as the system makes it, for the profile functions and
// for telling the program's own files from the one a user names.
#pragma once
#include <string>

// `path` made whole by GetFullPathNameW, with the short (8.3) names in it of
// a file or folder that exists in its long form too, so that
// "PRESUP~1.LCK" names presupuestos.lck. Empty when it cannot be made whole.
std::wstring FullPathOf(const std::wstring& path);
