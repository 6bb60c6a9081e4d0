// The settings file config.cfg (quote count and launch count, 8 bytes), the
// start-up load that counts each launch, and the backup of every fifth one.
#pragma once
#include <cstdint>
#include <string>

struct SettingsRecord {
  int32_t recordCount;
  int32_t launchCount;
};

// The stored words; words the file does not hold (missing or short file)
// read as 0. `found` tells whether config.cfg could be opened and read; when
// it could not, both words are 0.
SettingsRecord ReadSettings(bool* found = nullptr);

// Rewrites config.cfg in one atomic step; false if it is unchanged.
bool WriteSettings(int32_t recordCount, int32_t launchCount);

// Start-up: takes RecordCount from config.cfg, counts this launch in it and
// takes the dated backup when due.
void LoadSettings();

// On every fifth launch, copies datos.dat and config.cfg into a folder named
// after TodayText, once per date.
void DatedBackup(int32_t launchCount);

// "6/12/2026" gives "6-12-2026".
std::string BackupFolderName(const std::string& dateText);
