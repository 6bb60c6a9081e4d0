// Start-up's order, all under the store's lock: a half-done correction is
// finished first, so that the quotes are counted in the file that holds
// them; then the count, the missing quotes taken back, the launch counted
// and the backup.
#include "store/start_up.h"

#include "store/dated_backup.h"
#include "store/disk.h"
#include "store/file_names.h"
#include "store/folder_lock.h"
#include "store/quote_file.h"
#include "store/quote_record.h"
#include "store/recovery.h"
#include "store/settings.h"
#include "store/store_rules.h"

bool LoadSettings(StartUpReport* report) {
  StartUpReport told;
  told.firstStart = !DiskExists(kSettingsFile) && !DiskExists(kNewSettingsFile);
  for (const char* file : {kQuoteFile, kSettingsFile}) {
    if (told.folderInPlace.empty() && DiskIsFolder(file)) told.folderInPlace = file;
  }
  // The repairs, the launch and the backup wait for any other copy's save
  // to end, and no copy saves while they run. Where the lock stays taken,
  // the files are counted as they are and nothing is mended or counted.
  StoreLock lock;
  if (!lock.Taken()) {
    RecordCount = PlanCount(SeeSettings(), WholeRecords(SeeFile(kQuoteFile))).recordCount;
    if (report) *report = told;
    return true;
  }
  TakeBackSettings();
  SettingsSeen settings = SeeSettings();
  if (settings.countHeld && settings.count > 0) {
    told.correctionFinished = RollForwardCorrection(settings.count);
  }
  CountPlan plan = PlanCount(settings, WholeRecords(SeeFile(kQuoteFile)));
  if (plan.firstMissing <= plan.lastMissing) {
    RecoverMissingQuotes(plan.firstMissing, plan.lastMissing, told);
  }
  RecordCount = plan.recordCount;
  RemoveUnfinishedCorrection(RecordCount);
  bool backupMade = true;
  if (plan.write) {
    DiskClearFailure();
    if (WriteSettings(RecordCount, plan.launches)) {
      backupMade = DatedBackup(plan.launches, &told.backupFailure);
      told.backupFailed = !backupMade;
    } else {
      // A folder that takes no new file gets no backup either; it is told
      // as such, not as a backup to try again. A refusal of config.cfg
      // itself (a read-only file) is no read-only folder.
      DiskFailure failure = DiskLastFailure();
      told.folderReadOnly =
          failure.cause == DiskCause::NoPermission && failure.file == kNewSettingsFile;
      if (!told.folderReadOnly) {
        told.settingsUnwritten = true;
        told.settingsFailure = failure;
        backupMade = DatedBackup(plan.launches, &told.backupFailure);
        told.backupFailed = !backupMade;
      }
    }
  }
  if (report) *report = told;
  return backupMade;
}

bool ContinueAfterStoredQuotes(DiskFailure* failure) {
  DiskClearFailure();
  StoreLock lock;
  SettingsSeen settings = SeeSettings();
  int64_t whole = WholeRecords(SeeFile(kQuoteFile));
  bool written = lock.Taken() && settings.read && whole >= 0 && whole <= INT32_MAX &&
                 WriteSettings(static_cast<int32_t>(whole), settings.launches);
  if (written) RecordCount = static_cast<int32_t>(whole);
  if (failure) *failure = written ? DiskFailure() : DiskLastFailure();
  return written;
}
