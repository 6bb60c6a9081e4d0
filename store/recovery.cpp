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

// `file` replaced by `newFile` where the correction that built it was cut
// short; `against` is the file its records must agree with.
void RollForward(int32_t count, const char* file, const char* newFile, const char* against) {
  FileSeen old = SeeFile(file);
  if (!RollsForward(count, old, SeeFile(newFile))) return;
  FileSeen compared = SeeFile(against);
  int64_t records = WholeRecords(compared);
  if (records > count) records = count;
  int32_t differing = records > 0 ? DifferingRecords(against, newFile, records) : 0;
  if (records >= 0 && RollForwardAgrees(differing)) DiskReplace(newFile, file);
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

void RollForwardCorrection(int32_t count) {
  RollForward(count, kQuoteFile, kNewQuoteFile, kQuoteFile);
  // The copy must agree with the quote file as it now is.
  RollForward(count, kTransferFile, kNewTransferFile, kQuoteFile);
}

void RecoverMissingQuotes(int32_t first, int32_t last, StartUpReport& report) {
  std::vector<std::string> sources = {kTransferFile};
  std::vector<std::string> names = {kTransferFile};
  for (const std::string& folder : BackupFoldersNewestFirst(DiskFolderNames())) {
    sources.push_back(folder + "/" + kQuoteFile);
    names.push_back(folder);
  }
  // A source there but unreadable (-1) is no source lacking the quotes: the
  // plan stops at it.
  std::vector<int64_t> wholeIn;
  std::vector<DiskFailure> failures;
  for (const std::string& source : sources) {
    DiskClearFailure();
    wholeIn.push_back(WholeRecords(SeeFile(source.c_str())));
    failures.push_back(wholeIn.back() < 0 ? DiskLastFailure() : DiskFailure());
  }
  report.firstMissing = first;
  report.lastMissing = last;
  for (const Taken& taken : PlanRecovery(first, last, wholeIn)) {
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
    if (wholeIn[s] >= 0) continue;
    report.unreadSource = names[s];
    report.unreadFailure = failures[s];
    return;
  }
  CompleteCutQuote(report);
}
