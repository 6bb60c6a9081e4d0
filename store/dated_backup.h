// The backup of every fifth launch: copies of datos.dat and config.cfg in a
// folder named after the day, there whole or not at all.
#pragma once
#include <cstdint>
#include <string>

// The folder a backup is built in before it takes its dated name. One left
// behind (by a crash) is removed by the next backup that is due.
extern const char kBackupWorkFolder[];

// On every fifth launch, copies the first RecordCount records of datos.dat
// and the whole of config.cfg into a folder named after TodayText, at most
// once per date: an existing dated folder means the day's backup is taken.
// A file that is not there is not copied. False when a backup was due and
// could not be made; then no dated folder was made, and the next due launch
// tries again.
bool DatedBackup(int32_t launchCount);

// "6/12/2026" gives "6-12-2026".
std::string BackupFolderName(const std::string& dateText);
