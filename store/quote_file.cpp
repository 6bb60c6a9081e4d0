// The quote file: fixed 1960-byte records, quote N at offset (N - 1) * 1960.
// Every save takes the store's lock, then checks what the files hold now,
// whichever copy wrote them (store_rules), so that no whole quote is ever
// written over or cut away.
#include "store/quote_file.h"

#include <cstdint>

#include "store/disk.h"
#include "store/file_names.h"
#include "store/folder_lock.h"
#include "store/quote_record.h"
#include "store/settings.h"

namespace {

// The record to be written: the quote's texts, zeros after each NUL.
QuoteRecord CleanRecord(const QuoteRecord& quote) {
  QuoteRecord record;
  ClearQuote(record);
  CopyQuote(record, quote);
  return record;
}

// Cuts datos.dat back to the length it had before a failed append, so that
// a quote reported unsaved is not counted by the next start-up.
void RestoreLength(int64_t length) {
  DiskFile* file = DiskOpen(kQuoteFile, DiskMode::Update);
  if (!file) return;
  DiskTruncate(file, length);
  DiskSync(file);
  DiskClose(file);
}

// datos.dat opened as `mode` (null where it is missing), and what it holds;
// false where it is there and cannot be opened.
bool OpenQuotes(DiskMode mode, DiskFile*& file, FileSeen& quotes) {
  file = DiskOpen(kQuoteFile, mode);
  if (file) quotes = {true, DiskSize(file)};
  return file || !DiskExists(kQuoteFile);
}

bool Append(const QuoteRecord& record, SaveRefusal& refusal) {
  StoreLock lock;
  if (!lock.Taken()) return false;
  SettingsSeen settings = SeeSettings();
  // datos.dat is opened without ever emptying it; a missing one is made,
  // for the first quote only.
  DiskFile* file = nullptr;
  FileSeen quotes;
  if (!OpenQuotes(DiskMode::Update, file, quotes)) return false;
  int32_t number = 0;
  if (!PlanAppend(settings, quotes, &number, &refusal)) {
    if (file) DiskClose(file);
    return false;
  }
  if (!file) file = DiskOpen(kQuoteFile, DiskMode::Create);
  if (!file) return false;
  int64_t offset = static_cast<int64_t>(number - 1) * static_cast<int64_t>(kRecordSize);
  bool written = DiskSeek(file, offset) && DiskWrite(file, &record, sizeof record) && DiskSync(file);
  bool closed = DiskClose(file);
  // The count's rename also makes a new datos.dat's name durable.
  if (!written || !closed || !WriteSettings(number, settings.launches)) {
    RestoreLength(quotes.size);
    return false;
  }
  RecordCount = number;
  return true;
}

// Writes the new quote file and the new transfer file beside the old ones
// in one pass over `source`: its first `count` records, record `number`
// replaced. True when both are whole: every write checked, both synced and
// closed. With `shown`, stops with `changed` set where the old record
// `number` is no longer that one.
bool BuildReplacements(DiskFile* source, int32_t count, int32_t number,
                       const QuoteRecord& corrected, const QuoteRecord* shown, bool& changed) {
  DiskFile* quotes = DiskOpen(kNewQuoteFile, DiskMode::Create);
  DiskFile* transfer = quotes ? DiskOpen(kNewTransferFile, DiskMode::Create) : nullptr;
  bool ok = quotes && transfer;
  QuoteRecord record;
  for (int32_t i = 1; ok && i <= count; ++i) {
    // The old record `number` is passed over by reading it like the others.
    ok = DiskRead(source, &record, sizeof record) == sizeof record;
    if (ok && i == number) {
      changed = shown && !StillAsShown(record, *shown);
      ok = !changed;
      record = corrected;
    }
    ok = ok && DiskWrite(quotes, &record, sizeof record) &&
         DiskWrite(transfer, &record, sizeof record);
  }
  ok = ok && DiskSync(quotes) && DiskSync(transfer);
  if (quotes) ok = DiskClose(quotes) && ok;
  if (transfer) ok = DiskClose(transfer) && ok;
  return ok;
}

bool Correct(int32_t number, const QuoteRecord& corrected, const QuoteRecord* shown,
             SaveRefusal& refusal) {
  StoreLock lock;
  if (!lock.Taken()) return false;
  SettingsSeen settings = SeeSettings();
  DiskFile* source = nullptr;
  FileSeen quotes;
  if (!OpenQuotes(DiskMode::Read, source, quotes)) return false;
  bool changed = false;
  int32_t count = 0;
  bool built = MayCorrect(number, settings, quotes, &count, &refusal) &&
               BuildReplacements(source, count, number, corrected, shown, changed);
  if (source) DiskClose(source);
  if (changed) refusal = SaveRefusal::ChangedSinceShown;
  if (!built || !DiskReplace(kNewQuoteFile, kQuoteFile)) {
    DiskRemove(kNewQuoteFile);
    DiskRemove(kNewTransferFile);
    return false;
  }
  // The correction is made; see quote_file.h for a failure here.
  DiskReplace(kNewTransferFile, kTransferFile);
  return true;
}

bool Report(bool saved, SaveRefusal why, SaveRefusal* refusal, DiskFailure* failure) {
  if (refusal) *refusal = why;
  if (failure) *failure = saved ? DiskFailure() : DiskLastFailure();
  return saved;
}

}  // namespace

bool SaveQuote(unsigned char isNew, int32_t number, SaveRefusal* refusal, DiskFailure* failure) {
  DiskClearFailure();
  SaveRefusal why = SaveRefusal::None;
  QuoteRecord record = CleanRecord(CurrentQuote);
  bool saved = isNew ? Append(record, why) : Correct(number, record, nullptr, why);
  return Report(saved, why, refusal, failure);
}

bool SaveCorrection(int32_t number, const QuoteRecord& shown, const QuoteRecord& corrected,
                    SaveRefusal* refusal, DiskFailure* failure) {
  DiskClearFailure();
  SaveRefusal why = SaveRefusal::None;
  bool saved = Correct(number, CleanRecord(corrected), &shown, why);
  return Report(saved, why, refusal, failure);
}

bool LoadQuote(int32_t number, QuoteRecord& record) {
  DiskFile* file = DiskOpen(kQuoteFile, DiskMode::Read);
  // Reached by its place: a file that ends before the record is whole gives
  // nothing, whatever the count says.
  int64_t offset = static_cast<int64_t>(number > 1 ? number - 1 : 0) * int64_t{kRecordSize};
  bool read = file && DiskSeek(file, offset) &&
              DiskRead(file, &record, sizeof record) == sizeof record;
  if (file) DiskClose(file);
  if (!read) ClearQuote(record);
  return read;
}

FileSeen SeeFile(const char* path) {
  DiskFile* file = DiskOpen(path, DiskMode::Read);
  if (!file) return {DiskExists(path), -1};
  int64_t size = DiskSize(file);
  DiskClose(file);
  return {true, size};
}

int32_t LastStoredQuote() {
  int64_t whole = WholeRecords(SeeFile(kQuoteFile));
  // A file that cannot be measured hides nothing: every counted quote is
  // offered, and one that cannot be read says so.
  return whole < 0 || whole >= RecordCount ? RecordCount : static_cast<int32_t>(whole);
}

int32_t CatchUpCount() {
  SettingsSeen settings = SeeSettings();
  int64_t whole = WholeRecords(SeeFile(kQuoteFile));
  // Only what is both counted and whole: an append another copy has
  // written but not yet counted may still be taken back.
  if (settings.countHeld && whole >= 0) {
    int64_t stored = settings.count < whole ? settings.count : whole;
    if (stored > RecordCount) RecordCount = static_cast<int32_t>(stored);
  }
  return RecordCount;
}

FileStamp StampOf(const char* path) {
  FileStamp stamp;
  stamp.there = DiskIdentity(path, stamp.volume, stamp.file);
  stamp.size = SeeFile(path).size;
  return stamp;
}

bool SameStamp(const FileStamp& a, const FileStamp& b) {
  return a.there == b.there && a.volume == b.volume && a.file == b.file && a.size == b.size;
}
