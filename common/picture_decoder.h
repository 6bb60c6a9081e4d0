// Reading a picture file's bytes (PNG, JPEG, BMP and whatever else the
// system decodes) into pixels. On Windows the system's Windows Imaging
// Component does it; the native test build has a stand-in.
#pragma once
#include <string>

#include "common/picture.h"

// False, `picture` untouched, where the bytes are no picture the system
// can read.
bool DecodePicture(const std::string& bytes, Picture& picture);
