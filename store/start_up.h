// Start-up of the store: finishes a half-done correction, counts the quotes,
// takes back those counted but missing, counts the launch and takes the
// dated backup when due; and what it has to tell the user.
#pragma once
#include "store/disk.h"
#include "store/start_up_report.h"

// Start-up, before the main window: see the header comment. Where quotes
// are still missing, RecordCount stays the stored count (saves are then
// refused) until ContinueAfterStoredQuotes. A count that cannot be used
// (the file too short to hold it, or below 0) or that is lower than the
// whole records in datos.dat gives way to the number of those records. All of
// it under the store's lock; where another copy holds that past the wait,
// RecordCount is counted from the files as they are, and nothing is mended,
// written or told. False only when a backup was due and could not be made.
bool LoadSettings(StartUpReport* report = nullptr);

// The user's answer where quotes are missing: new quotes are numbered after
// the last one in datos.dat, and config.cfg counts that many. False, with
// nothing changed, when config.cfg could not be written or another copy held
// the store's lock for the whole wait.
bool ContinueAfterStoredQuotes(DiskFailure* failure = nullptr);
