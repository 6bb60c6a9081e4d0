// Scratch working folders for the benchmark: one per size, each holding a
// datos.dat of that many quotes and a config.cfg that counts them.
#pragma once
#include <cstdint>
#include <string>

// Where the folders live: an absolute path, set once at start.
extern std::string ScratchRoot;

// The date every start-up case runs under, and the backup folder it gives.
extern const char kBenchDate[];
extern const char kBackupFolder[];

std::string QuoteFolder(int32_t quotes);

// Writes the folder afresh: `quotes` records, config.cfg holding the count
// and a launch count of 4, no transfer file, no backup.
void MakeQuoteFolder(int32_t quotes);

// Moves into the folder and sets RecordCount and CurrentQuote as a dialog
// would leave them before a save.
void EnterQuoteFolder(int32_t quotes);

// Puts the folder back as MakeQuoteFolder left it, after cases that change
// it: datos.dat cut back to `quotes` records, config.cfg rewritten, the
// backup folder removed.
void RestoreQuoteFolder(int32_t quotes);

// Removes the backup folder and its two copies, if there.
void RemoveBackupFolder();

// config.cfg written directly, as a previous launch would have left it.
void PutSettings(int32_t recordCount, int32_t launchCount);
