// config.cfg: two 32-bit little-endian words, the quote count then the
// launch count, always rewritten whole through a temporary and a rename.
#include "store/settings.h"

#include <cstring>

#include "store/dated_backup.h"
#include "store/disk.h"
#include "store/quote_record.h"

namespace {

const char kSettingsFile[] = "config.cfg";
const char kQuoteFile[] = "datos.dat";

int32_t WordAt(const unsigned char* bytes) {
  uint32_t word = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                  static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
  return static_cast<int32_t>(word);
}

void PutWord(unsigned char* bytes, int32_t value) {
  uint32_t word = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(word >> (8 * i));
}

// How many whole records datos.dat holds, so that new quotes are numbered
// after the stored ones instead of over them. -1 when the file is there but
// cannot be measured.
int32_t WholeRecordsOnDisk() {
  DiskFile* file = DiskOpen(kQuoteFile, DiskMode::Read);
  if (!file) return DiskExists(kQuoteFile) ? -1 : 0;
  int64_t size = DiskSize(file);
  DiskClose(file);
  if (size < 0) return -1;
  int64_t records = size / static_cast<int64_t>(kRecordSize);
  return records > INT32_MAX ? INT32_MAX : static_cast<int32_t>(records);
}

}  // namespace

SettingsRecord ReadSettings(bool* found, bool* countHeld) {
  unsigned char bytes[8] = {0};
  bool read = false;
  std::size_t held = 0;
  DiskFile* file = DiskOpen(kSettingsFile, DiskMode::Read);
  if (file) {
    // A read that gives fewer bytes than the file holds has failed; its
    // zeros must not pass for a count of 0.
    int64_t size = DiskSize(file);
    held = size < 0 ? 0 : size < 8 ? static_cast<std::size_t>(size) : sizeof bytes;
    read = size >= 0 && DiskRead(file, bytes, sizeof bytes) == held;
    DiskClose(file);
  }
  if (!read) std::memset(bytes, 0, sizeof bytes);
  if (found) *found = read;
  if (countHeld) *countHeld = read && held >= 4;
  return SettingsRecord{WordAt(bytes), WordAt(bytes + 4)};
}

bool SettingsFileExists() { return DiskExists(kSettingsFile); }

bool WriteSettings(int32_t recordCount, int32_t launchCount) {
  unsigned char bytes[8];
  PutWord(bytes, recordCount);
  PutWord(bytes + 4, launchCount);
  return DiskWriteWhole(kSettingsFile, bytes, sizeof bytes);
}

bool LoadSettings() {
  bool found = false;
  bool countHeld = false;
  SettingsRecord stored = ReadSettings(&found, &countHeld);
  int32_t onDisk = WholeRecordsOnDisk();
  int32_t launchCount = 1;
  if (found) {
    // A counter at its largest value wraps instead of overflowing.
    launchCount = static_cast<int32_t>(static_cast<uint32_t>(stored.launchCount) + 1u);
    bool usable = countHeld && stored.recordCount >= 0;
    if (usable && (onDisk < 0 || stored.recordCount >= onDisk)) {
      RecordCount = stored.recordCount;
    } else if (onDisk >= 0) {
      // A damaged count, or an older config.cfg brought back beside a newer
      // datos.dat: every stored quote keeps its number.
      RecordCount = onDisk;
    } else {
      // Neither file tells the count: nothing is written down (see below).
      RecordCount = 0;
      return true;
    }
  } else {
    RecordCount = onDisk < 0 ? 0 : onDisk;
    // A settings file that is there but unreadable, or a quote file that
    // cannot be measured, is not rewritten with guesses: that would put a
    // wrong count in place of the true one. This launch goes uncounted.
    if (onDisk < 0 || DiskExists(kSettingsFile)) return true;
  }
  WriteSettings(RecordCount, launchCount);
  return DatedBackup(launchCount);
}
