// The units move in blocks of about 128 KiB, read straight into the block.
#include "store/record_copy.h"

#include <vector>

namespace {
constexpr std::size_t kCopyBlock = std::size_t{128} * 1024;
}  // namespace

bool CopyUnits(DiskFile* from, DiskFile* to, int64_t units, std::size_t unit) {
  std::size_t perBlock = unit < kCopyBlock ? kCopyBlock / unit : 1;
  if (units < static_cast<int64_t>(perBlock)) perBlock = units < 0 ? 0 : static_cast<std::size_t>(units);
  std::vector<unsigned char> block(perBlock * unit);
  int64_t left = units;
  while (left > 0) {
    std::size_t want = left < static_cast<int64_t>(perBlock) ? static_cast<std::size_t>(left) : perBlock;
    if (DiskRead(from, block.data(), want * unit) != want * unit) return false;
    if (!DiskWrite(to, block.data(), want * unit)) return false;
    left -= static_cast<int64_t>(want);
  }
  return true;
}
