// The dated backup is built under a working name and renamed only once both
// copies are whole, so that a dated folder always holds a true backup.
#include "store/dated_backup.h"

#include <cstdio>
#include <vector>

#include "common/number_text.h"
#include "store/disk.h"
#include "store/quote_record.h"

const char kBackupWorkFolder[] = "copia.tmp";

namespace {

const char kSettingsFile[] = "config.cfg";
const char kQuoteFile[] = "datos.dat";
// The backup copies in blocks of about this many bytes.
constexpr std::size_t kCopyBlock = std::size_t{128} * 1024;

std::string InFolder(const char* folder, const char* name) {
  return std::string("./") + folder + "/" + name;
}

// Copies the first `count` whole units of `unit` bytes of a file (all its
// whole units when it has fewer) into a new one. True when the copy is
// whole: every unit read, written and flushed, and the copy closed; or when
// there is no file to copy. The copy is not synced: the files it copies are
// on disk already, and a sync would only hold start-up until it got there.
bool CopyInto(const char* from, const std::string& to, int32_t count, std::size_t unit) {
  DiskFile* source = DiskOpen(from, DiskMode::Read);
  if (!source) return !DiskExists(from);
  int64_t size = DiskSize(source);
  DiskFile* copy = size >= 0 ? DiskOpen(to.c_str(), DiskMode::Create) : nullptr;
  bool whole = copy != nullptr;
  if (copy) {
    int64_t left = size / static_cast<int64_t>(unit);
    if (count < left) left = count < 0 ? 0 : count;
    // The units move many at a time, read straight into the block.
    std::size_t units = unit < kCopyBlock ? kCopyBlock / unit : 1;
    if (left < static_cast<int64_t>(units)) units = static_cast<std::size_t>(left);
    std::vector<unsigned char> block(units * unit);
    while (whole && left > 0) {
      std::size_t want = left < static_cast<int64_t>(units) ? static_cast<std::size_t>(left) : units;
      whole = DiskRead(source, block.data(), want * unit) == want * unit &&
              DiskWrite(copy, block.data(), want * unit);
      left -= static_cast<int64_t>(want);
    }
    whole = whole && DiskFlush(copy);
    whole = DiskClose(copy) && whole;
  }
  DiskClose(source);
  return whole;
}

// The working folder holds nothing but the two copies.
void RemoveWorkFolder() {
  std::remove(InFolder(kBackupWorkFolder, kQuoteFile).c_str());
  std::remove(InFolder(kBackupWorkFolder, kSettingsFile).c_str());
  DiskRemoveFolder(kBackupWorkFolder);
}

}  // namespace

std::string BackupFolderName(const std::string& dateText) {
  std::string rest = dateText;
  std::string year = rest.substr(rest.size() >= 4 ? rest.size() - 4 : 0);
  rest.erase(rest.size() >= 5 ? rest.size() - 5 : 0);
  std::string month = rest.substr(rest.size() >= 2 ? rest.size() - 2 : 0);
  rest.erase(rest.size() >= 3 ? rest.size() - 3 : 0);
  return rest + "-" + month + "-" + year;
}

bool DatedBackup(int32_t launchCount) {
  std::string folder = BackupFolderName(TodayText);
  if (launchCount % 5 != 0) return true;
  RemoveWorkFolder();
  if (DiskExists(folder.c_str())) return true;
  bool made = DiskMakeFolder(kBackupWorkFolder) &&
              CopyInto(kQuoteFile, InFolder(kBackupWorkFolder, kQuoteFile), RecordCount,
                       kRecordSize) &&
              CopyInto(kSettingsFile, InFolder(kBackupWorkFolder, kSettingsFile), 1, 8) &&
              DiskRenameFolder(kBackupWorkFolder, folder.c_str());
  if (!made) RemoveWorkFolder();
  return made;
}
