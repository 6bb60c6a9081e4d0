// The dated backup is built under a working name and renamed only once both
// copies are whole and synced, so that a dated folder always holds a true
// backup, after a crash or a power cut too.
#include "store/dated_backup.h"

#include "common/number_text.h"
#include "store/disk.h"
#include "store/quote_record.h"
#include "store/record_copy.h"
#include "store/store_rules.h"

namespace {

std::string InFolder(const char* folder, const char* name) {
  return std::string("./") + folder + "/" + name;
}

// Copies the first `count` whole units of `unit` bytes of a file (all its
// whole units when it has fewer) into a new one, synced before the folder's
// rename can carry it. True when the copy is whole, or when there is no file
// to copy.
bool CopyInto(const char* from, const std::string& to, int32_t count, std::size_t unit) {
  DiskFile* source = DiskOpen(from, DiskMode::Read);
  if (!source) return !DiskExists(from);
  int64_t size = DiskSize(source);
  DiskFile* copy = size >= 0 ? DiskOpen(to.c_str(), DiskMode::Create) : nullptr;
  bool whole = copy != nullptr;
  if (copy) {
    int64_t units = size / static_cast<int64_t>(unit);
    if (count < units) units = count < 0 ? 0 : count;
    whole = CopyUnits(source, copy, units, unit) && DiskSync(copy);
    whole = DiskClose(copy) && whole;
  }
  DiskClose(source);
  return whole;
}

// Takes away the copies a cut-short backup left; a folder that still holds
// anything else (a Thumbs.db) stays, to be built in as it is.
void ClearWorkFolder() {
  if (!DiskIsFolder(kBackupWorkFolder)) {
    DiskRemove(kBackupWorkFolder);
    return;
  }
  DiskRemove(InFolder(kBackupWorkFolder, kQuoteFile).c_str());
  DiskRemove(InFolder(kBackupWorkFolder, kSettingsFile).c_str());
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

bool DatedBackup(int32_t launchCount, DiskFailure* failure) {
  std::string folder = BackupFolderName(TodayText);
  if (!BackupDue(launchCount)) return true;
  DiskClearFailure();
  ClearWorkFolder();
  // The day's backup is made already; a file or a folder of its name that
  // holds no copy is not it, and leaves no room for one: told, not passed.
  if (DiskExists(folder.c_str())) {
    if (DiskIsFolder(folder.c_str()) && DiskExists(InFolder(folder.c_str(), kSettingsFile).c_str())) {
      return true;
    }
    if (failure) *failure = DiskFailure{DiskCause::Other, folder};
    return false;
  }
  bool made = (DiskIsFolder(kBackupWorkFolder) || DiskMakeFolder(kBackupWorkFolder)) &&
              CopyInto(kQuoteFile, InFolder(kBackupWorkFolder, kQuoteFile), RecordCount,
                       kRecordSize) &&
              CopyInto(kSettingsFile, InFolder(kBackupWorkFolder, kSettingsFile), 1, 8) &&
              DiskRenameFolder(kBackupWorkFolder, folder.c_str());
  if (!made) {
    if (failure) *failure = DiskLastFailure();
    ClearWorkFolder();
  }
  return made;
}
