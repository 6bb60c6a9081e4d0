// The store's decisions, as pure functions over what the files were found to
// hold: whether a save may go, what start-up counts, rolls forward and takes
// back. The reading and writing that feed and follow them are elsewhere.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "store/quote_record.h"

// Why a save was refused, where the store can tell.
enum class SaveRefusal {
  None,               // saved, or failed on the disk (or waiting for the lock): see DiskFailure
  FilesChanged,       // config.cfg counts other quotes than datos.dat holds
  QuotesMissing,      // datos.dat holds fewer whole quotes than are counted
  NoNumberLeft,       // the count is at its largest
  ChangedSinceShown,  // the quote on disk is no longer the one the dialog showed
};

// config.cfg as read: whether it is there, was read whole, holds the count.
struct SettingsSeen {
  bool there = false;
  bool read = false;
  bool countHeld = false;
  int32_t count = 0;
  int32_t launches = 0;
};

// A file's length; -1 when it is there but cannot be measured.
struct FileSeen {
  bool there = false;
  int64_t size = 0;
};

// Whole records in a file: 0 when it is not there, -1 when not measurable.
int64_t WholeRecords(const FileSeen& file);

// The number a new quote is stored under, decided while the store's lock is
// held: after every whole quote in datos.dat, whichever copy stored it, over
// a partial record at most. Refused where config.cfg counts quotes that
// datos.dat lacks (start-up takes them back) or no number is left; false
// with `why` None where a file cannot be read, so that nothing is known.
bool PlanAppend(const SettingsSeen& settings, const FileSeen& quotes, int32_t* number,
                SaveRefusal* why);

// Whether a correction of quote `number` may go, decided while the lock is
// held: config.cfg (where there is one) counts exactly the whole records of
// datos.dat, and `number` is one of them. `count` is set to that count: the
// quotes the correction copies.
bool MayCorrect(int32_t number, const SettingsSeen& settings, const FileSeen& quotes,
                int32_t* count, SaveRefusal* why);

// Whether the record on disk is still, byte for byte, the one shown.
bool StillAsShown(const QuoteRecord& onDisk, const QuoteRecord& shown);

// What start-up counts: RecordCount, whether config.cfg is written back and
// with which launch count, and the quotes counted but not whole on disk.
struct CountPlan {
  int32_t recordCount = 0;
  bool write = false;
  int32_t launches = 1;
  int32_t firstMissing = 1;  // none when above lastMissing
  int32_t lastMissing = 0;
};
// `wholeOnDisk`: whole records of datos.dat, -1 when not measurable. A count
// that cannot be used (short file, below 0) or is lower than the whole
// records gives way to them; one that is higher stands, and the quotes
// between are missing.
CountPlan PlanCount(const SettingsSeen& settings, int64_t wholeOnDisk);

// A half-done correction to finish: `file` missing or holding fewer whole
// records than `count`, and `newFile` holding exactly `count` whole records
// that differ from those of `file` in `differing` records at most one
// (the corrected one).
bool RollsForward(int32_t count, const FileSeen& file, const FileSeen& newFile);
bool RollForwardAgrees(int32_t differing);

// A copy that a correction built and could not rename over trasvase.dat
// (another program held it), to put in place now: whole records only, at
// least one, no more than datos.dat holds whole (`quotesWhole`), since
// quotes are only appended after it, and no fewer than trasvase.dat holds
// (`copyWhole`): a copy cut short while it was built never shortens it.
bool CopyCatchesUp(const FileSeen& copy, int64_t quotesWhole, int64_t copyWhole);

// What a record read from a file is: a quote as the program writes one
// (every field ended by a zero byte within its width), one all of whose
// bytes are zero (a quote with every field empty, or what a write cut by a
// power failure leaves), or no quote at all.
enum class RecordState { Unsound, Blank, Quote };
RecordState StateOf(const QuoteRecord& record);

// Whether records read from a temporary are what a finished write of the
// program leaves: each one a quote, and not every one blank.
bool WrittenWhole(const std::vector<RecordState>& states);

// A source of missing quotes as read: `whole` -1 when it cannot be read,
// and the state of each record it holds whole from the first missing quote.
struct SourceSeen {
  int64_t whole = 0;
  std::vector<RecordState> states;
};

// Missing quotes first..last taken back from `sources`, newest first: each
// quote from the first source that holds it as a quote, in runs; a blank
// record only where no source holds that quote otherwise. The first quote
// that no source holds ends the plan, since quotes sit in datos.dat by
// number. A source that cannot be read may hold any quote, newer than a
// later source's: the plan also ends at the first quote that no source
// before it holds.
struct Taken {
  std::size_t source;
  int32_t first;
  int32_t last;
};
std::vector<Taken> PlanRecovery(int32_t first, int32_t last, const std::vector<SourceSeen>& sources);

// The dated backup folders among `names` (D-MM-YYYY, as made on every fifth
// launch), newest date first.
std::vector<std::string> BackupFoldersNewestFirst(const std::vector<std::string>& names);

// Whether a launch takes the dated backup: every fifth, 0 and negative
// multiples of 5 included.
bool BackupDue(int32_t launchCount);

// The program's own file that an export to `path` would write over, itself
// or through the temporary it is built in (`path` and ".tmp"): one of the
// files the store keeps in the working folder `folder`, or the copies in a
// backup folder there. Both paths are full, as GetFullPathNameW gives them.
// Names compare as Windows takes them: in any case, "/" as "\", "." and
// ".." followed, trailing dots and spaces and a stream after ":" left out.
// The name to tell ("datos.dat", "6-12-2026\datos.dat"); empty for none.
std::string ProgramFileAt(const std::wstring& path, const std::wstring& folder);

// The files and folders the store keeps in the working folder, and the
// copies a backup folder holds.
const std::vector<const char*>& ProgramFileNames();
const std::vector<const char*>& BackupCopyNames();

// The device of Windows that `path` names instead of a file (CON, PRN, AUX,
// NUL, COM1 to COM9, LPT1 to LPT9, with any extension), in lower case, as
// "lpt1"; empty for none. Written to, it would print the export on LPT1.
std::string DeviceAt(const std::wstring& path);
