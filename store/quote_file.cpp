// The quote file: fixed 1960-byte records, quote N at offset (N - 1) * 1960.
// An overwrite never touches datos.dat itself: the new content is built
// beside it and renamed over it, so a crash leaves the old file or the new.
#include "store/quote_file.h"

#include <cstdint>
#include <cstdio>

#include "store/disk.h"
#include "store/quote_record.h"
#include "store/settings.h"

namespace {

const char kQuoteFile[] = "datos.dat";
const char kSettingsFile[] = "config.cfg";
const char kTransferFile[] = "trasvase.dat";
const char kNewQuoteFile[] = "datos.dat.tmp";

// The record to be written: CurrentQuote's texts, zeros after each NUL.
QuoteRecord RecordFromCurrentQuote() {
  QuoteRecord record;
  ClearQuote(record);
  CopyQuote(record, CurrentQuote);
  return record;
}

// Opens datos.dat for writing in place without ever emptying it; a missing
// file is created.
DiskFile* OpenForAppend() {
  DiskFile* file = DiskOpen(kQuoteFile, DiskMode::Update);
  if (!file && !DiskExists(kQuoteFile)) file = DiskOpen(kQuoteFile, DiskMode::Create);
  return file;
}

// Cuts datos.dat back to the length it had before a failed append.
void RestoreLength(int64_t length) {
  DiskFile* file = DiskOpen(kQuoteFile, DiskMode::Update);
  if (!file) return;
  DiskTruncate(file, length);
  DiskSync(file);
  DiskClose(file);
}

bool Append() {
  // A count at its largest leaves no number for another quote.
  if (RecordCount == INT32_MAX) return false;
  QuoteRecord record = RecordFromCurrentQuote();
  int64_t offset = static_cast<int64_t>(RecordCount) * static_cast<int64_t>(kRecordSize);

  // A settings file that is there but cannot be read would be rewritten
  // without its launch count.
  bool found = false;
  SettingsRecord settings = ReadSettings(&found);
  if (!found && DiskExists(kSettingsFile)) return false;

  DiskFile* file = OpenForAppend();
  if (!file) return false;
  int64_t length = DiskSize(file);
  // A file shorter than the count has lost quotes: a record put after them
  // would not be quote RecordCount + 1. Anything past the counted records
  // (a crash's leftover) is written over, but never a quote that the files
  // count and this process does not (start-up could not read them): with no
  // settings file, every whole record counts.
  int64_t counted = found ? settings.recordCount : length / static_cast<int64_t>(kRecordSize);
  bool placed = length >= offset && counted <= RecordCount;
  // With no settings file, the count goes down first, so that a record left
  // behind by a failed save is not taken for a quote by the next start-up.
  if (placed && !found) placed = WriteSettings(RecordCount, 0);
  placed = placed && DiskSeek(file, offset);
  bool written = placed && DiskWrite(file, &record, sizeof record) && DiskSync(file);
  bool closed = DiskClose(file);
  if (!placed) return false;
  if (!written || !closed) {
    RestoreLength(length);
    return false;
  }

  if (!WriteSettings(RecordCount + 1, settings.launchCount)) {
    RestoreLength(length);
    return false;
  }
  ++RecordCount;
  return true;
}

// Builds the new quote file in kNewQuoteFile and trasvase.dat in one pass
// over datos.dat: its records with record `number` replaced.
bool BuildOverwritten(int32_t number) {
  DiskFile* source = DiskOpen(kQuoteFile, DiskMode::Read);
  if (!source) return false;
  DiskFile* transfer = DiskOpen(kTransferFile, DiskMode::Create);
  DiskFile* target = transfer ? DiskOpen(kNewQuoteFile, DiskMode::Create) : nullptr;
  bool ok = transfer && target;

  QuoteRecord record;
  for (int32_t i = 1; ok && i <= RecordCount; ++i) {
    // The old record `number` is passed over by reading it like the others.
    ok = DiskRead(source, &record, sizeof record) == sizeof record;
    if (ok && i == number) record = RecordFromCurrentQuote();
    ok = ok && DiskWrite(transfer, &record, sizeof record) &&
         DiskWrite(target, &record, sizeof record);
  }
  ok = ok && DiskSync(target);
  if (target) ok = DiskClose(target) && ok;
  if (transfer) ok = DiskClose(transfer) && ok;
  DiskClose(source);
  return ok;
}

bool Overwrite(int32_t number) {
  if (number < 1 || number > RecordCount) return false;
  if (!BuildOverwritten(number) || !DiskReplace(kNewQuoteFile, kQuoteFile)) {
    std::remove(kNewQuoteFile);
    return false;
  }
  return true;
}

}  // namespace

bool SaveQuote(unsigned char isNew, int32_t number) {
  return isNew ? Append() : Overwrite(number);
}

bool ReadQuoteRecord(int32_t skip, QuoteRecord& record) {
  DiskFile* file = DiskOpen(kQuoteFile, DiskMode::Read);
  if (!file) return false;
  // The records before the wanted one are passed over by reading, without
  // copying each out; a file that ends first stops the walk, whatever the
  // count says.
  int64_t before = static_cast<int64_t>(skip < 0 ? 0 : skip) * static_cast<int64_t>(kRecordSize);
  bool ok = DiskPassOver(file, before) == before;
  ok = ok && DiskRead(file, &record, sizeof record) == sizeof record;
  DiskClose(file);
  return ok;
}

void LoadQuote(int32_t number) {
  QuoteRecord record;
  int32_t skip = number > 1 ? number - 1 : 0;
  if (ReadQuoteRecord(skip, record)) {
    CopyQuote(CurrentQuote, record);
  } else {
    ClearQuote(CurrentQuote);
  }
}
