// The native (test) build's stand-in for the system's picture decoder:
// uncompressed 24-bit BMP files only, enough for tests to feed a tiny logo;
// every other file is no picture. Not in the Windows program.
#ifndef _WIN32
#include <cstdint>
#include <string>

#include "common/picture_decoder.h"

namespace {
std::uint32_t Field(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  return value;
}
}  // namespace

bool DecodePicture(const std::string& bytes, Picture& picture) {
  if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return false;
  std::uint32_t offset = Field(bytes, 10, 4);
  auto wide = static_cast<std::int32_t>(Field(bytes, 18, 4));
  auto high = static_cast<std::int32_t>(Field(bytes, 22, 4));
  if (Field(bytes, 28, 2) != 24 || Field(bytes, 30, 4) != 0 || wide <= 0 || high <= 0 ||
      wide > 4096 || high > 4096) {
    return false;
  }
  std::size_t stride = (static_cast<std::size_t>(wide) * 3 + 3) / 4 * 4;
  if (offset + stride * high > bytes.size()) return false;
  picture.wide = wide;
  picture.high = high;
  picture.rgb.assign(static_cast<std::size_t>(wide) * high * 3, 0);
  // Rows bottom up, each pixel blue, green, red.
  for (int y = 0; y < high; ++y) {
    std::size_t row = offset + stride * static_cast<std::size_t>(high - 1 - y);
    for (int x = 0; x < wide; ++x) {
      for (int c = 0; c < 3; ++c) {
        picture.rgb[(static_cast<std::size_t>(y) * wide + x) * 3 + c] =
            static_cast<std::uint8_t>(bytes[row + static_cast<std::size_t>(x) * 3 + 2 - c]);
      }
    }
  }
  return true;
}
#endif  // !_WIN32
