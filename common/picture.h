// A picture in memory (the business's logo): 8-bit RGB pixels, rows from
// the top, and the arithmetic of fitting it into a box.
#pragma once
#include <cstdint>
#include <vector>

struct Picture {
  int wide = 0, high = 0;
  std::vector<std::uint8_t> rgb;  // 3 bytes a pixel, wide * high pixels
};

bool IsEmpty(const Picture& picture);

// The largest size of `wide` x `high`'s proportions that fits in
// `boxWide` x `boxHigh`.
void FitInside(double wide, double high, double boxWide, double boxHigh, double& fitWide,
               double& fitHigh);

// The picture shrunk, keeping its proportions, to fit in `mostWide` x
// `mostHigh` pixels, each new pixel the average of those it covers; a
// picture that fits already is returned as it is.
Picture ShrunkToFit(const Picture& picture, int mostWide, int mostHigh);
