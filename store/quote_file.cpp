// The quote file: fixed 1960-byte records, quote N at offset (N - 1) * 1960.
// Every save first checks that the files hold the quotes this copy counts,
// so that no whole quote is ever written over or cut away.
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
const char kNewTransferFile[] = "trasvase.dat.tmp";

// The record to be written: CurrentQuote's texts, zeros after each NUL.
QuoteRecord RecordFromCurrentQuote() {
  QuoteRecord record;
  ClearQuote(record);
  CopyQuote(record, CurrentQuote);
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

// Whether datos.dat holds exactly RecordCount whole records (what follows
// them is no quote); where it does not, `refusal` says which way it is off.
bool HoldsTheCountedQuotes(int64_t length, SaveRefusal& refusal) {
  int64_t whole = length / static_cast<int64_t>(kRecordSize);
  if (whole < RecordCount) refusal = SaveRefusal::QuotesMissing;
  if (whole > RecordCount) refusal = SaveRefusal::FilesChanged;
  return whole == RecordCount;
}

bool Append(SaveRefusal& refusal) {
  if (RecordCount == INT32_MAX) {
    refusal = SaveRefusal::NoNumberLeft;
    return false;
  }
  QuoteRecord record = RecordFromCurrentQuote();
  int64_t offset = static_cast<int64_t>(RecordCount) * static_cast<int64_t>(kRecordSize);

  // A settings file that is there but cannot be read would be rewritten
  // without its launch count. One that counts more quotes than this copy
  // was written by another.
  bool found = false;
  bool countHeld = false;
  SettingsRecord settings = ReadSettings(&found, &countHeld);
  if (!found && DiskExists(kSettingsFile)) return false;
  if (countHeld && settings.recordCount > RecordCount) {
    refusal = SaveRefusal::FilesChanged;
    return false;
  }

  // datos.dat is opened without ever emptying it; a missing one is made,
  // for the first quote only.
  DiskFile* file = DiskOpen(kQuoteFile, DiskMode::Update);
  if (!file && !DiskExists(kQuoteFile) && HoldsTheCountedQuotes(0, refusal)) {
    file = DiskOpen(kQuoteFile, DiskMode::Create);
  }
  if (!file) return false;
  int64_t length = DiskSize(file);
  bool placed = length >= 0 && HoldsTheCountedQuotes(length, refusal) && DiskSeek(file, offset);
  bool written = placed && DiskWrite(file, &record, sizeof record) && DiskSync(file);
  bool closed = DiskClose(file);
  if (!placed) return false;
  if (!written || !closed || !WriteSettings(RecordCount + 1, settings.launchCount)) {
    RestoreLength(length);
    return false;
  }
  ++RecordCount;
  return true;
}

// Writes the new quote file and the new transfer file beside the old ones
// in one pass over `source`: its first RecordCount records, record `number`
// replaced. True when both are whole: every write checked, both synced and
// closed.
bool BuildReplacements(DiskFile* source, int32_t number) {
  DiskFile* quotes = DiskOpen(kNewQuoteFile, DiskMode::Create);
  DiskFile* transfer = quotes ? DiskOpen(kNewTransferFile, DiskMode::Create) : nullptr;
  bool ok = quotes && transfer;
  QuoteRecord record;
  for (int32_t i = 1; ok && i <= RecordCount; ++i) {
    // The old record `number` is passed over by reading it like the others.
    ok = DiskRead(source, &record, sizeof record) == sizeof record;
    if (ok && i == number) record = RecordFromCurrentQuote();
    ok = ok && DiskWrite(quotes, &record, sizeof record) &&
         DiskWrite(transfer, &record, sizeof record);
  }
  ok = ok && DiskSync(quotes) && DiskSync(transfer);
  if (quotes) ok = DiskClose(quotes) && ok;
  if (transfer) ok = DiskClose(transfer) && ok;
  return ok;
}

bool Overwrite(int32_t number, SaveRefusal& refusal) {
  if (number < 1 || number > RecordCount) return false;
  // Another copy, or an old config.cfg brought back, has changed the count:
  // this copy's numbers may no longer be the files'.
  bool found = false;
  bool countHeld = false;
  SettingsRecord settings = ReadSettings(&found, &countHeld);
  if (!found && DiskExists(kSettingsFile)) return false;
  if (found && (!countHeld || settings.recordCount != RecordCount)) {
    refusal = SaveRefusal::FilesChanged;
    return false;
  }

  DiskFile* source = DiskOpen(kQuoteFile, DiskMode::Read);
  if (!source) {
    if (!DiskExists(kQuoteFile)) refusal = SaveRefusal::QuotesMissing;
    return false;
  }
  int64_t length = DiskSize(source);
  bool built = length >= 0 && HoldsTheCountedQuotes(length, refusal) &&
               BuildReplacements(source, number);
  DiskClose(source);
  if (!built || !DiskReplace(kNewQuoteFile, kQuoteFile)) {
    std::remove(kNewQuoteFile);
    std::remove(kNewTransferFile);
    return false;
  }
  // The correction is made; see quote_file.h for a failure here.
  DiskReplace(kNewTransferFile, kTransferFile);
  return true;
}

}  // namespace

bool SaveQuote(unsigned char isNew, int32_t number, SaveRefusal* refusal) {
  SaveRefusal why = SaveRefusal::None;
  bool saved = isNew ? Append(why) : Overwrite(number, why);
  if (refusal) *refusal = why;
  return saved;
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

bool LoadQuote(int32_t number) {
  QuoteRecord record;
  int32_t skip = number > 1 ? number - 1 : 0;
  if (!ReadQuoteRecord(skip, record)) {
    ClearQuote(CurrentQuote);
    return false;
  }
  CopyQuote(CurrentQuote, record);
  return true;
}
