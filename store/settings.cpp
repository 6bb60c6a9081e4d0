// config.cfg: two 32-bit little-endian words, the quote count then the
// launch count, always rewritten whole through a temporary and a rename.
#include "store/settings.h"

#include "app/number_text.h"
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

// How many whole records datos.dat holds; only used when config.cfg is lost,
// so that new quotes are numbered after the stored ones instead of over them.
int32_t WholeRecordsOnDisk() {
  DiskFile* file = DiskOpen(kQuoteFile, DiskMode::Read);
  if (!file) return 0;
  int64_t size = DiskSize(file);
  DiskClose(file);
  int64_t records = size > 0 ? size / static_cast<int64_t>(kRecordSize) : 0;
  return records > INT32_MAX ? INT32_MAX : static_cast<int32_t>(records);
}

// Copies up to `count` whole units of `unit` bytes from one file into a new
// one, and syncs the copy.
void CopyInto(const char* from, const std::string& to, int32_t count, std::size_t unit) {
  DiskFile* source = DiskOpen(from, DiskMode::Read);
  if (!source) return;
  DiskFile* copy = DiskOpen(to.c_str(), DiskMode::Create);
  if (copy) {
    unsigned char buffer[kRecordSize];
    // Only what could be read is copied: a count larger than the file stops
    // at its end.
    for (int32_t i = 0; i < count; ++i) {
      if (DiskRead(source, buffer, unit) != unit || !DiskWrite(copy, buffer, unit)) break;
    }
    DiskSync(copy);
    DiskClose(copy);
  }
  DiskClose(source);
}

}  // namespace

SettingsRecord ReadSettings(bool* found) {
  unsigned char bytes[8] = {0};
  DiskFile* file = DiskOpen(kSettingsFile, DiskMode::Read);
  if (found) *found = file != nullptr;
  if (file) {
    DiskRead(file, bytes, sizeof bytes);
    DiskClose(file);
  }
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
    RecordCount = WholeRecordsOnDisk();
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
