// The settings file config.cfg (quote count and launch count, 8 bytes) and
// the start-up load that counts each launch.
#pragma once
#include <cstdint>

struct SettingsRecord {
  int32_t recordCount;
  int32_t launchCount;
};

// The stored words; words the file does not hold (missing or short file)
// read as 0. `found` tells whether config.cfg could be opened and read; when
// it could not, both words are 0. `countHeld` tells whether it was read and
// is long enough (4 bytes) to hold the count.
SettingsRecord ReadSettings(bool* found = nullptr, bool* countHeld = nullptr);

// Whether config.cfg is there: a working folder without it has never been
// used by the program.
bool SettingsFileExists();

// Rewrites config.cfg in one atomic step; false if it is unchanged.
bool WriteSettings(int32_t recordCount, int32_t launchCount);

// Start-up: takes RecordCount from config.cfg, counts this launch in it and
// takes the dated backup when due. A stored count that cannot be used (the
// file too short to hold it, or below 0) or that is lower than the whole
// records in datos.dat gives way to the number of those records, and that
// corrected count is what is written back: new quotes are then numbered
// after every stored one. False only when a backup was due and could not
// be made.
bool LoadSettings();
