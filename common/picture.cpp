// Fitting and shrinking pictures, by plain averaging: enough for a logo
// made smaller, never larger.
#include "common/picture.h"

#include <algorithm>
#include <cmath>

bool IsEmpty(const Picture& picture) {
  return picture.wide <= 0 || picture.high <= 0 ||
         picture.rgb.size() < static_cast<std::size_t>(picture.wide) * picture.high * 3;
}

void FitInside(double wide, double high, double boxWide, double boxHigh, double& fitWide,
               double& fitHigh) {
  fitWide = fitHigh = 0;
  if (wide <= 0 || high <= 0) return;
  // The side that meets the box takes its length exactly.
  if (wide * boxHigh >= high * boxWide) {
    fitWide = boxWide;
    fitHigh = high * boxWide / wide;
  } else {
    fitHigh = boxHigh;
    fitWide = wide * boxHigh / high;
  }
}

Picture ShrunkToFit(const Picture& picture, int mostWide, int mostHigh) {
  if (IsEmpty(picture) || (picture.wide <= mostWide && picture.high <= mostHigh)) return picture;
  double fitWide = 0, fitHigh = 0;
  FitInside(picture.wide, picture.high, mostWide, mostHigh, fitWide, fitHigh);
  Picture shrunk;
  shrunk.wide = std::max(1, static_cast<int>(std::lround(fitWide)));
  shrunk.high = std::max(1, static_cast<int>(std::lround(fitHigh)));
  shrunk.rgb.resize(static_cast<std::size_t>(shrunk.wide) * shrunk.high * 3);
  // Each new pixel averages the block of old pixels under it.
  for (int y = 0; y < shrunk.high; ++y) {
    int top = y * picture.high / shrunk.high;
    int bottom = std::max(top + 1, (y + 1) * picture.high / shrunk.high);
    for (int x = 0; x < shrunk.wide; ++x) {
      int left = x * picture.wide / shrunk.wide;
      int right = std::max(left + 1, (x + 1) * picture.wide / shrunk.wide);
      unsigned long sum[3] = {0, 0, 0};
      for (int row = top; row < bottom; ++row) {
        const std::uint8_t* pixel = &picture.rgb[(static_cast<std::size_t>(row) * picture.wide + left) * 3];
        for (int column = left; column < right; ++column, pixel += 3) {
          for (int c = 0; c < 3; ++c) sum[c] += pixel[c];
        }
      }
      unsigned long count = static_cast<unsigned long>(bottom - top) * (right - left);
      std::uint8_t* out = &shrunk.rgb[(static_cast<std::size_t>(y) * shrunk.wide + x) * 3];
      for (int c = 0; c < 3; ++c) out[c] = static_cast<std::uint8_t>((sum[c] + count / 2) / count);
    }
  }
  return shrunk;
}
