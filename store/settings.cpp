// config.cfg: two 32-bit little-endian words, the quote count then the
// launch count, always rewritten whole through a temporary and a rename.
#include "store/settings.h"

#include <cstring>

#include "store/disk.h"
#include "store/file_names.h"

namespace {

int32_t WordAt(const unsigned char* bytes) {
  uint32_t word = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                  static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
  return static_cast<int32_t>(word);
}

void PutWord(unsigned char* bytes, int32_t value) {
  uint32_t word = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(word >> (8 * i));
}

}  // namespace

SettingsSeen SeeSettings() {
  unsigned char bytes[8] = {0};
  SettingsSeen seen;
  std::size_t held = 0;
  DiskFile* file = DiskOpen(kSettingsFile, DiskMode::Read);
  bool opened = file != nullptr;
  if (opened) {
    // A read that gives fewer bytes than the file holds has failed; its
    // zeros must not pass for a count of 0.
    int64_t size = DiskSize(file);
    held = size < 0 ? 0 : size < 8 ? static_cast<std::size_t>(size) : sizeof bytes;
    seen.read = size >= 0 && DiskRead(file, bytes, sizeof bytes) == held;
    DiskClose(file);
  }
  seen.there = opened || DiskExists(kSettingsFile);
  if (!seen.read) return seen;
  seen.countHeld = held >= 4;
  seen.count = WordAt(bytes);
  seen.launches = WordAt(bytes + 4);
  return seen;
}

bool WriteSettings(int32_t recordCount, int32_t launchCount) {
  unsigned char bytes[8];
  PutWord(bytes, recordCount);
  PutWord(bytes + 4, launchCount);
  return DiskWriteWhole(kSettingsFile, kNewSettingsFile, bytes, sizeof bytes);
}
