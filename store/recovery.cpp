// Recovery reads its sources and writes datos.dat; what to take from where
// is decided by PlanRecovery and RollsForward (store_rules).
#include "store/recovery.h"

#include <string>
#include <vector>

#include "store/disk.h"
#include "store/file_names.h"
#include "store/quote_file.h"
#include "store/quote_record.h"
#include "store/record_copy.h"
#include "store/store_rules.h"

namespace {

int64_t RecordOffset(int32_t number) {
  return static_cast<int64_t>(number - 1) * static_cast<int64_t>(kRecordSize);
}

// Writes quotes first..last of `source` into datos.dat at their places and
// syncs it; a datos.dat made new gets its name made durable too.
bool TakeBack(const std::string& source, int32_t first, int32_t last) {
  DiskFile* from = DiskOpen(source.c_str(), DiskMode::Read);
  if (!from) return false;
  bool made = false;
  DiskFile* to = DiskOpen(kQuoteFile, DiskMode::Update);
  if (!to && !DiskExists(kQuoteFile)) {
    to = DiskOpen(kQuoteFile, DiskMode::Create);
    made = to != nullptr;
  }
  bool ok = to && DiskSeek(from, RecordOffset(first)) && DiskSeek(to, RecordOffset(first)) &&
            CopyUnits(from, to, static_cast<int64_t>(last) - first + 1, kRecordSize) &&
            DiskSync(to);
  if (to) ok = DiskClose(to) && ok;
  DiskClose(from);
  if (ok && made) DiskSyncFolder(".");
  return ok;
}

// The state of each of `records` records of `path` from quote `first` on;
// false when they cannot all be read.
bool ReadStates(const char* path, int32_t first, int64_t records, std::vector<RecordState>& states) {
  states.clear();
  DiskFile* file = DiskOpen(path, DiskMode::Read);
  if (!file) return false;
  bool ok = DiskSeek(file, RecordOffset(first));
  QuoteRecord record;
  for (int64_t i = 0; ok && i < records; ++i) {
    ok = DiskRead(file, &record, sizeof record) == sizeof record;
    if (ok) states.push_back(StateOf(record));
  }
  DiskClose(file);
  return ok;
}

// A source of quotes first..last: how many whole records it holds, and the
// state of those in that range.
SourceSeen SeeSource(const char* path, int32_t first, int32_t last) {
  SourceSeen source;
  source.whole = WholeRecords(SeeFile(path));
  int64_t held = (source.whole < last ? source.whole : last) - first + 1;
  if (held > 0 && !ReadStates(path, first, held, source.states)) source.whole = -1;
  return source;
}

// How many of the first `records` records differ between two files; -1
// when they cannot be read.
int32_t DifferingRecords(const char* a, const char* b, int64_t records) {
  DiskFile* first = DiskOpen(a, DiskMode::Read);
  DiskFile* second = first ? DiskOpen(b, DiskMode::Read) : nullptr;
  int32_t differing = second ? 0 : -1;
  QuoteRecord one, other;
  for (int64_t i = 0; differing >= 0 && differing <= 1 && i < records; ++i) {
    if (DiskRead(first, &one, sizeof one) != sizeof one ||
        DiskRead(second, &other, sizeof other) != sizeof other) {
      differing = -1;
    } else if (!StillAsShown(one, other)) {
      ++differing;
    }
  }
  if (second) DiskClose(second);
  if (first) DiskClose(first);
  return differing;
}

// How many records `file` differs in from the whole records of `against`,
// up to `records`: 0 where `against` holds none, -1 where either cannot be
// read.
int32_t DifferingFrom(const char* against, const char* file, int64_t records) {
  int64_t held = WholeRecords(SeeFile(against));
  if (held < 0) return -1;
  if (held < records) records = held;
  return records > 0 ? DifferingRecords(against, file, records) : 0;
}

// Whether `file` holds `records` records, each a quote the program wrote.
bool HoldsQuotes(const char* file, int64_t records) {
  std::vector<RecordState> states;
  return ReadStates(file, 1, records, states) && WrittenWhole(states);
}

// datos.dat.tmp put in place where the correction that built it was cut
// short: it must agree with what is left of datos.dat, and with the copy
// the same correction built beside it (byte for byte), or else with the
// copy of the correction before, trasvase.dat; a file of zeros or of
// garbage agrees with nothing.
bool RollQuotesForward(int32_t count) {
  if (!RollsForward(count, SeeFile(kQuoteFile), SeeFile(kNewQuoteFile))) return false;
  if (!HoldsQuotes(kNewQuoteFile, count)) return false;
  if (!RollForwardAgrees(DifferingFrom(kQuoteFile, kNewQuoteFile, count))) return false;
  bool copyBuilt = SeeFile(kNewTransferFile).size == RecordOffset(count + 1);
  int32_t fromCopy = copyBuilt ? DifferingFrom(kNewTransferFile, kNewQuoteFile, count)
                               : DifferingFrom(kTransferFile, kNewQuoteFile, count);
  bool agrees = copyBuilt ? fromCopy == 0 : RollForwardAgrees(fromCopy);
  return agrees && DiskReplace(kNewQuoteFile, kQuoteFile);
}

// trasvase.dat.tmp put in place where the correction that built it stood
// and its rename did not happen: where trasvase.dat is missing or short, or
// where the copy agrees record for record with datos.dat as it now is
// (the last correction's copy, quotes appended since); a trasvase.dat left
// behind is then older.
void RollCopyForward(int32_t count) {
  FileSeen copy = SeeFile(kNewTransferFile);
  FileSeen old = SeeFile(kTransferFile);
  int64_t records = WholeRecords(copy);
  if (RollsForward(count, old, copy)) {
    if (HoldsQuotes(kNewTransferFile, records) &&
        RollForwardAgrees(DifferingFrom(kQuoteFile, kNewTransferFile, records))) {
      DiskReplace(kNewTransferFile, kTransferFile);
    }
    return;
  }
  if (!CopyCatchesUp(copy, WholeRecords(SeeFile(kQuoteFile)), WholeRecords(old))) return;
  if (HoldsQuotes(kNewTransferFile, records) &&
      DifferingRecords(kQuoteFile, kNewTransferFile, records) == 0) {
    DiskReplace(kNewTransferFile, kTransferFile);
  }
}

// A datos.dat cut short may still hold the start of the first missing quote
// (its text, say). Where no source held it whole, that start is completed
// with zeros and kept: better shown cut than lost when its number is given
// again.
void CompleteCutQuote(StartUpReport& report) {
  FileSeen seen = SeeFile(kQuoteFile);
  int64_t whole = WholeRecords(seen);
  if (whole < 0 || whole != report.firstMissing - 1 || seen.size == RecordOffset(report.firstMissing)) {
    return;
  }
  DiskFile* file = DiskOpen(kQuoteFile, DiskMode::Update);
  if (!file) return;
  std::string zeros(static_cast<std::size_t>(RecordOffset(report.firstMissing + 1) - seen.size), '\0');
  bool completed = DiskSeek(file, seen.size) && DiskWrite(file, zeros.data(), zeros.size()) &&
                   DiskSync(file);
  if (!DiskClose(file) || !completed) return;
  report.recovered.push_back({report.firstMissing, report.firstMissing, kQuoteFile});
  if (report.firstMissing == report.lastMissing) {
    report.firstMissing = 1;
    report.lastMissing = 0;
  } else {
    ++report.firstMissing;
  }
}

}  // namespace

bool RollForwardCorrection(int32_t count) {
  bool rolled = RollQuotesForward(count);
  // The copy must agree with the quote file as it now is.
  RollCopyForward(count);
  return rolled;
}

void RemoveUnfinishedCorrection(int32_t count) {
  if (!DiskExists(kNewQuoteFile) || WholeRecords(SeeFile(kQuoteFile)) < count) return;
  DiskRemove(kNewQuoteFile);
  DiskRemove(kNewTransferFile);
}

void TakeBackSettings() {
  // A complete temporary is the count as last written: its rename was cut.
  if (DiskExists(kSettingsFile) || SeeFile(kNewSettingsFile).size != 8) return;
  DiskReplace(kNewSettingsFile, kSettingsFile);
}

void RecoverMissingQuotes(int32_t first, int32_t last, StartUpReport& report) {
  // Newest first: the copy of a correction whose rename did not happen, the
  // copy of the last one that ended, then the backups.
  std::vector<std::string> sources = {kNewTransferFile, kTransferFile};
  std::vector<std::string> names = {kNewTransferFile, kTransferFile};
  for (const std::string& folder : BackupFoldersNewestFirst(DiskFolderNames())) {
    sources.push_back(folder + "/" + kQuoteFile);
    names.push_back(folder);
  }
  // A source there but unreadable is no source lacking the quotes: the plan
  // stops at it.
  std::vector<SourceSeen> seen;
  std::vector<DiskFailure> failures;
  for (const std::string& source : sources) {
    DiskClearFailure();
    seen.push_back(SeeSource(source.c_str(), first, last));
    failures.push_back(seen.back().whole < 0 ? DiskLastFailure() : DiskFailure());
  }
  report.firstMissing = first;
  report.lastMissing = last;
  for (const Taken& taken : PlanRecovery(first, last, seen)) {
    DiskClearFailure();
    if (!TakeBack(sources[taken.source], taken.first, taken.last)) {
      report.unreadSource = names[taken.source];
      report.unreadFailure = DiskLastFailure();
      return;
    }
    report.recovered.push_back({taken.first, taken.last, names[taken.source]});
    if (taken.last == last) {
      report.firstMissing = 1;
      report.lastMissing = 0;
      return;
    }
    report.firstMissing = taken.last + 1;
  }
  // Quotes still missing past an unreadable source: the first one stopped
  // the plan.
  for (std::size_t s = 0; s < sources.size(); ++s) {
    if (seen[s].whole >= 0) continue;
    report.unreadSource = names[s];
    report.unreadFailure = failures[s];
    return;
  }
  CompleteCutQuote(report);
}
