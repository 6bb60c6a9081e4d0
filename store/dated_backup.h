// The backup of every fifth launch: copies of datos.dat and config.cfg in a
// folder named after the day, there whole or not at all.
#pragma once
#include <cstdint>
#include <string>

#include "store/disk.h"
#include "store/file_names.h"

// On every fifth launch, copies the first RecordCount records of datos.dat
// and the whole of config.cfg into a folder named after TodayText, at most
// once per date: an existing dated folder means the day's backup is taken.
// A file that is not there is not copied. The copies are built in
// copia.tmp/, synced, and the folder renamed only then; a copia.tmp/ left
// behind is emptied of the copies, and one that still holds something else
// is built in as it is. False when a backup was due and could not be made;
// then no dated folder was made, `failure` says why where the system told,
// and the next due launch tries again.
bool DatedBackup(int32_t launchCount, DiskFailure* failure = nullptr);

// "6/12/2026" gives "6-12-2026".
std::string BackupFolderName(const std::string& dateText);
