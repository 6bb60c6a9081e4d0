// config.cfg: two 32-bit little-endian words, the quote count then the
// launch count, always rewritten whole through a temporary and a rename.
#include "store/settings.h"

#include <cstring>
#include <vector>

#include "common/number_text.h"
#include "store/disk.h"
#include "store/quote_record.h"

namespace {

const char kSettingsFile[] = "config.cfg";
const char kQuoteFile[] = "datos.dat";
// The backup copies in blocks of about this many bytes.
constexpr std::size_t kCopyBlock = std::size_t{128} * 1024;

int32_t WordAt(const unsigned char* bytes) {
  uint32_t word = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                  static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
  return static_cast<int32_t>(word);
}

void PutWord(unsigned char* bytes, int32_t value) {
  uint32_t word = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(word >> (8 * i));
}

// How many whole records datos.dat holds; only used when config.cfg is lost,
// so that new quotes are numbered after the stored ones instead of over them.
// -1 when the file is there but cannot be measured.
int32_t WholeRecordsOnDisk() {
  DiskFile* file = DiskOpen(kQuoteFile, DiskMode::Read);
  if (!file) return DiskExists(kQuoteFile) ? -1 : 0;
  int64_t size = DiskSize(file);
  DiskClose(file);
  if (size < 0) return -1;
  int64_t records = size / static_cast<int64_t>(kRecordSize);
  return records > INT32_MAX ? INT32_MAX : static_cast<int32_t>(records);
}

// Copies up to `count` whole units of `unit` bytes from one file into a new
// one. The copy is not synced: the files it copies are on disk already, and
// a sync could not make the backup whole after a crash anyway (its folder is
// made first); it would only hold start-up until the copy reached the disk.
void CopyInto(const char* from, const std::string& to, int32_t count, std::size_t unit) {
  DiskFile* source = DiskOpen(from, DiskMode::Read);
  if (!source) return;
  DiskFile* copy = DiskOpen(to.c_str(), DiskMode::Create);
  if (copy) {
    // The units move many at a time, read straight into the block rather
    // than one by one through the reader's buffer and the record.
    int32_t left = count < 0 ? 0 : count;
    std::size_t units = unit < kCopyBlock ? kCopyBlock / unit : 1;
    if (static_cast<std::size_t>(left) < units) units = static_cast<std::size_t>(left);
    std::vector<unsigned char> block(units * unit);
    // Only what could be read is copied, in whole units: a count larger than
    // the file stops at its end.
    while (left > 0) {
      std::size_t want = static_cast<std::size_t>(left) < units ? static_cast<std::size_t>(left) : units;
      std::size_t got = DiskRead(source, block.data(), want * unit) / unit;
      if (got > 0 && !DiskWrite(copy, block.data(), got * unit)) break;
      if (got < want) break;
      left -= static_cast<int32_t>(got);
    }
    DiskClose(copy);
  }
  DiskClose(source);
}

}  // namespace

SettingsRecord ReadSettings(bool* found) {
  unsigned char bytes[8] = {0};
  bool read = false;
  DiskFile* file = DiskOpen(kSettingsFile, DiskMode::Read);
  if (file) {
    // A read that gives fewer bytes than the file holds has failed; its
    // zeros must not pass for a count of 0.
    int64_t size = DiskSize(file);
    std::size_t held = size < 0 ? 0 : size < 8 ? static_cast<std::size_t>(size) : sizeof bytes;
    read = size >= 0 && DiskRead(file, bytes, sizeof bytes) == held;
    DiskClose(file);
  }
  if (!read) std::memset(bytes, 0, sizeof bytes);
  if (found) *found = read;
  return SettingsRecord{WordAt(bytes), WordAt(bytes + 4)};
}

bool WriteSettings(int32_t recordCount, int32_t launchCount) {
  unsigned char bytes[8];
  PutWord(bytes, recordCount);
  PutWord(bytes + 4, launchCount);
  return DiskWriteWhole(kSettingsFile, bytes, sizeof bytes);
}

void LoadSettings() {
  bool found = false;
  SettingsRecord stored = ReadSettings(&found);
  int32_t launchCount = 1;
  if (found) {
    RecordCount = stored.recordCount < 0 ? 0 : stored.recordCount;
    // A counter at its largest value wraps instead of overflowing.
    launchCount = static_cast<int32_t>(static_cast<uint32_t>(stored.launchCount) + 1u);
  } else {
    int32_t onDisk = WholeRecordsOnDisk();
    RecordCount = onDisk < 0 ? 0 : onDisk;
    // A settings file that is there but unreadable, or a quote file that
    // cannot be measured, is not rewritten with guesses: that would put a
    // wrong count in place of the true one. This launch goes uncounted.
    if (onDisk < 0 || DiskExists(kSettingsFile)) return;
  }
  WriteSettings(RecordCount, launchCount);
  DatedBackup(launchCount);
}

std::string BackupFolderName(const std::string& dateText) {
  std::string rest = dateText;
  std::string year = rest.substr(rest.size() >= 4 ? rest.size() - 4 : 0);
  rest.erase(rest.size() >= 5 ? rest.size() - 5 : 0);
  std::string month = rest.substr(rest.size() >= 2 ? rest.size() - 2 : 0);
  rest.erase(rest.size() >= 3 ? rest.size() - 3 : 0);
  return rest + "-" + month + "-" + year;
}

void DatedBackup(int32_t launchCount) {
  std::string folder = BackupFolderName(TodayText);
  if (launchCount % 5 != 0) return;
  // The folder is made at most once per date: if it is there, the day's
  // backup has been taken.
  if (!DiskMakeFolder(folder.c_str())) return;
  CopyInto(kQuoteFile, "./" + folder + "/datos.dat", RecordCount, kRecordSize);
  CopyInto(kSettingsFile, "./" + folder + "/config.cfg", 1, 8);
}
