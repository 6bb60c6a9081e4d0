// The business's logo in the working folder: a copy of the picture the user
// chose, logo.png, logo.jpg or logo.bmp, named in empresa.ini.
#pragma once
#include <string>

#include "common/picture.h"

// The most pixels a logo is kept at: its box on the page at 300 dots an
// inch (1.8 x 1.17 inches), enough for print, small in a PDF.
constexpr int kLogoMostWide = 540;
constexpr int kLogoMostHigh = 350;

// "logo.png", "logo.jpg" or "logo.bmp" for a file of that kind by its first
// bytes; empty for any other.
std::string LogoFileName(const std::string& bytes);

// A file anywhere, by its full name as the system's dialog gives it; false
// where it cannot be read whole.
bool ReadOutsideFile(const std::wstring& path, std::string& bytes);

// Puts `bytes` in the working folder under their LogoFileName, whole or
// not at all (a temporary beside it, then renamed), under the store's lock;
// false where it could not be written or the lock was waited for in vain.
bool StoreLogo(const std::string& bytes);

// The logo named `name` in the working folder, shrunk to kLogoMost*; false
// (no picture) where the file is missing or no picture that can be read.
bool ReadLogo(const std::string& name, Picture& picture);
