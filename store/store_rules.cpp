// The store's decisions over what the files hold; no disk access here.
#include "store/store_rules.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "store/file_names.h"

int64_t WholeRecords(const FileSeen& file) {
  if (!file.there) return 0;
  return file.size < 0 ? -1 : file.size / static_cast<int64_t>(kRecordSize);
}

namespace {

// Whether datos.dat holds exactly `count` whole records; where it does not,
// `why` says which way it is off.
bool HoldsTheCounted(int64_t whole, int64_t count, SaveRefusal* why) {
  if (whole < count) *why = SaveRefusal::QuotesMissing;
  if (whole > count) *why = SaveRefusal::FilesChanged;
  return whole == count;
}

}  // namespace

bool PlanAppend(const SettingsSeen& settings, const FileSeen& quotes, int32_t* number,
                SaveRefusal* why) {
  *why = SaveRefusal::None;
  // A settings file that is there but cannot be read would be rewritten
  // without its launch count.
  if (settings.there && !settings.read) return false;
  int64_t whole = WholeRecords(quotes);
  if (whole < 0) return false;
  int64_t counted = settings.countHeld && settings.count > 0 ? settings.count : 0;
  if (counted > whole) {
    *why = SaveRefusal::QuotesMissing;
    return false;
  }
  // Whole quotes beyond the count were stored by a copy that stopped before
  // it counted them; start-up would count them too.
  if (whole >= INT32_MAX) {
    *why = SaveRefusal::NoNumberLeft;
    return false;
  }
  *number = static_cast<int32_t>(whole) + 1;
  return true;
}

bool MayCorrect(int32_t number, const SettingsSeen& settings, const FileSeen& quotes,
                int32_t* count, SaveRefusal* why) {
  *why = SaveRefusal::None;
  if (settings.there && !settings.read) return false;
  if (!quotes.there) {
    *why = SaveRefusal::QuotesMissing;
    return false;
  }
  int64_t whole = WholeRecords(quotes);
  if (whole < 0) return false;
  // A config.cfg too short to hold the count, or one that counts other than
  // datos.dat holds, is mended at the next start-up; a correction now would
  // copy the wrong number of quotes.
  if (settings.read && !settings.countHeld) {
    *why = SaveRefusal::FilesChanged;
    return false;
  }
  int64_t counted = settings.there ? settings.count : whole;
  if (!HoldsTheCounted(whole, counted, why)) return false;
  *count = static_cast<int32_t>(counted);
  return number >= 1 && number <= counted;
}

bool StillAsShown(const QuoteRecord& onDisk, const QuoteRecord& shown) {
  return std::memcmp(&onDisk, &shown, sizeof onDisk) == 0;
}

CountPlan PlanCount(const SettingsSeen& settings, int64_t wholeOnDisk) {
  CountPlan plan;
  int32_t onDisk = wholeOnDisk > INT32_MAX ? INT32_MAX : static_cast<int32_t>(wholeOnDisk);
  if (!settings.read) {
    // A settings file that is there but unreadable, or a quote file that
    // cannot be measured, is not rewritten with guesses: this launch goes
    // uncounted.
    plan.recordCount = onDisk < 0 ? 0 : onDisk;
    plan.write = onDisk >= 0 && !settings.there;
    return plan;
  }
  // A counter at its largest value wraps instead of overflowing.
  plan.launches = static_cast<int32_t>(static_cast<uint32_t>(settings.launches) + 1u);
  bool usable = settings.countHeld && settings.count >= 0;
  if (usable && (onDisk < 0 || settings.count >= onDisk)) {
    plan.recordCount = settings.count;
    plan.write = true;
    if (onDisk >= 0 && settings.count > onDisk) {
      plan.firstMissing = onDisk + 1;
      plan.lastMissing = settings.count;
    }
  } else if (onDisk >= 0) {
    // A damaged count, or an older config.cfg brought back beside a newer
    // datos.dat: every stored quote keeps its number.
    plan.recordCount = onDisk;
    plan.write = true;
  }
  return plan;
}

bool RollsForward(int32_t count, const FileSeen& file, const FileSeen& newFile) {
  if (count < 1 || !newFile.there) return false;
  if (newFile.size != static_cast<int64_t>(count) * static_cast<int64_t>(kRecordSize)) return false;
  int64_t whole = WholeRecords(file);
  return whole >= 0 && whole < count;
}

bool RollForwardAgrees(int32_t differing) { return differing >= 0 && differing <= 1; }

bool CopyCatchesUp(const FileSeen& copy, int64_t quotesWhole, int64_t copyWhole) {
  int64_t whole = WholeRecords(copy);
  return copy.there && whole >= 1 && copy.size == whole * static_cast<int64_t>(kRecordSize) &&
         whole <= quotesWhole && copyWhole >= 0 && whole >= copyWhole;
}

namespace {

bool Terminated(const char* field, std::size_t width) { return std::memchr(field, '\0', width) != nullptr; }

RecordState StateAt(const SourceSeen& source, int32_t first, int64_t number) {
  int64_t at = number - first;
  return at < static_cast<int64_t>(source.states.size()) ? source.states[static_cast<std::size_t>(at)]
                                                         : RecordState::Unsound;
}

}  // namespace

RecordState StateOf(const QuoteRecord& record) {
  if (!Terminated(record.body, kBodyWidth) || !Terminated(record.name, kFieldWidth) ||
      !Terminated(record.date, kFieldWidth) || !Terminated(record.address, kFieldWidth) ||
      !Terminated(record.total, kFieldWidth)) {
    return RecordState::Unsound;
  }
  const char* bytes = reinterpret_cast<const char*>(&record);
  bool blank = std::all_of(bytes, bytes + sizeof record, [](char c) { return c == '\0'; });
  return blank ? RecordState::Blank : RecordState::Quote;
}

bool WrittenWhole(const std::vector<RecordState>& states) {
  bool anyQuote = false;
  for (RecordState state : states) {
    if (state == RecordState::Unsound) return false;
    anyQuote = anyQuote || state == RecordState::Quote;
  }
  return anyQuote;
}

std::vector<Taken> PlanRecovery(int32_t first, int32_t last, const std::vector<SourceSeen>& sources) {
  std::vector<Taken> plan;
  int32_t from = first < 1 ? 1 : first;
  for (int64_t next = from; next <= last; ++next) {
    std::size_t chosen = sources.size(), blank = sources.size();
    bool blocked = false;
    for (std::size_t s = 0; s < sources.size() && chosen == sources.size(); ++s) {
      if (sources[s].whole < 0) {
        blocked = true;
        break;
      }
      RecordState state = StateAt(sources[s], from, next);
      if (state == RecordState::Quote) chosen = s;
      if (state == RecordState::Blank && blank == sources.size()) blank = s;
    }
    // A blank record gives way to a quote in any later source; an
    // unreadable source may hold one.
    if (chosen == sources.size()) {
      if (blocked || blank == sources.size()) break;
      chosen = blank;
    }
    int32_t number = static_cast<int32_t>(next);
    if (!plan.empty() && plan.back().source == chosen && plan.back().last == number - 1) {
      plan.back().last = number;
    } else {
      plan.push_back({chosen, number, number});
    }
  }
  return plan;
}

namespace {

// D-MM-YYYY as days since year 0 in a sortable number; -1 for another name.
int64_t DateKey(const std::string& name) {
  int day = 0, month = 0, year = 0;
  std::size_t at = 0;
  auto number = [&](std::size_t minDigits, std::size_t maxDigits, int* value) {
    std::size_t start = at;
    while (at < name.size() && at - start < maxDigits && name[at] >= '0' && name[at] <= '9') {
      *value = *value * 10 + (name[at++] - '0');
    }
    return at - start >= minDigits;
  };
  bool ok = number(1, 2, &day) && at < name.size() && name[at++] == '-' && number(2, 2, &month) &&
            at < name.size() && name[at++] == '-' && number(4, 4, &year) && at == name.size();
  if (!ok || day < 1 || day > 31 || month < 1 || month > 12) return -1;
  return (static_cast<int64_t>(year) * 12 + month) * 31 + day;
}

}  // namespace

std::vector<std::string> BackupFoldersNewestFirst(const std::vector<std::string>& names) {
  std::vector<std::pair<int64_t, std::string>> dated;
  for (const std::string& name : names) {
    int64_t key = DateKey(name);
    if (key >= 0) dated.emplace_back(key, name);
  }
  std::sort(dated.begin(), dated.end(),
            [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<std::string> folders(dated.size());
  std::transform(dated.begin(), dated.end(), folders.begin(), [](const auto& item) { return item.second; });
  return folders;
}

bool BackupDue(int32_t launchCount) { return launchCount % 5 == 0; }

namespace {

// A character as Windows compares names: the letters of Latin-1 in one case.
wchar_t Folded(wchar_t c) {
  if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
    return static_cast<wchar_t>(c + 0x20);
  }
  return c == L'/' ? L'\\' : c;
}

// A full path's names, folded, "." and ".." followed, each without the
// trailing dots and spaces that Windows drops; the file's stream left out.
// The last name keeps `tail` ("" or ".tmp") before its stream is cut.
std::vector<std::wstring> NamesOf(const std::wstring& path, const wchar_t* tail) {
  std::wstring folded;
  for (wchar_t c : path) folded += Folded(c);
  // "\\?\C:\…" and "\\.\C:\…" name the same as "C:\…".
  if (folded.compare(0, 4, L"\\\\?\\") == 0 || folded.compare(0, 4, L"\\\\.\\") == 0) {
    folded.erase(0, 4);
    if (folded.compare(0, 4, L"unc\\") == 0) folded.erase(0, 3);
  }
  std::vector<std::wstring> names;
  std::size_t start = 0;
  while (start <= folded.size()) {
    std::size_t end = folded.find(L'\\', start);
    if (end == std::wstring::npos) end = folded.size();
    std::wstring name = folded.substr(start, end - start);
    if (end == folded.size()) {
      name += tail;
      // The drive's colon is in the first name; any other starts a stream.
      std::size_t colon = name.find(L':', names.empty() ? 2 : 0);
      if (colon != std::wstring::npos) name.erase(colon);
    }
    if (name == L"..") {
      if (!names.empty()) names.pop_back();
    } else if (name != L".") {
      while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.pop_back();
      if (!name.empty()) names.push_back(name);
    }
    start = end + 1;
  }
  return names;
}

bool Prefixed(const std::vector<std::wstring>& names, const std::vector<std::wstring>& folder,
              std::size_t extra) {
  return names.size() == folder.size() + extra && std::equal(folder.begin(), folder.end(), names.begin());
}

std::string Narrowed(const std::wstring& name) {
  std::string narrow;
  for (wchar_t c : name) narrow += c < 0x80 ? static_cast<char>(c) : '?';
  return narrow;
}

// The one of `files` that `name` is, or null.
const char* OneOf(const std::wstring& name, const std::vector<const char*>& files) {
  for (const char* file : files) {
    if (name == std::wstring(file, file + std::strlen(file))) return file;
  }
  return nullptr;
}

}  // namespace

std::string DeviceAt(const std::wstring& path) {
  std::vector<std::wstring> names = NamesOf(path, L"");
  if (names.empty()) return std::string();
  // The device's name is the file's name up to its first dot, spaces after
  // it dropped: "lpt1", "lpt1.csv", "prn .txt" all name it.
  std::wstring base = names.back().substr(0, names.back().find(L'.'));
  while (!base.empty() && base.back() == L' ') base.pop_back();
  const std::wstring plain[] = {L"con", L"prn", L"aux", L"nul"};
  bool named = std::find(std::begin(plain), std::end(plain), base) != std::end(plain);
  bool numbered = base.size() == 4 &&
                  (base.compare(0, 3, L"com") == 0 || base.compare(0, 3, L"lpt") == 0) &&
                  base[3] >= L'1' && base[3] <= L'9';
  return named || numbered ? Narrowed(base) : std::string();
}

const std::vector<const char*>& ProgramFileNames() {
  static const std::vector<const char*> names = {
      kQuoteFile,   kSettingsFile,   kTransferFile,   kNewQuoteFile,     kNewTransferFile, kNewSettingsFile,
      kCompanyFile, kNewCompanyFile, kOldCompanyFile, kBackupWorkFolder, kLockFile,        kPictureFile};
  return names;
}

const std::vector<const char*>& BackupCopyNames() {
  static const std::vector<const char*> names = {kQuoteFile, kSettingsFile};
  return names;
}

std::string ProgramFileAt(const std::wstring& path, const std::wstring& folder) {
  const std::vector<std::wstring> working = NamesOf(folder, L"");
  // In the working folder, every file and folder the store keeps; in a
  // backup folder, or the one a backup is built in, its copies.
  const std::vector<const char*>& own = ProgramFileNames();
  const std::vector<const char*>& copies = BackupCopyNames();
  for (const wchar_t* tail : {L"", L".tmp"}) {
    std::vector<std::wstring> names = NamesOf(path, tail);
    if (Prefixed(names, working, 1)) {
      if (const char* file = OneOf(names.back(), own)) return file;
    } else if (Prefixed(names, working, 2)) {
      std::string backup = Narrowed(names[working.size()]);
      bool backupFolder = backup == kBackupWorkFolder || DateKey(backup) >= 0;
      const char* file = backupFolder ? OneOf(names.back(), copies) : nullptr;
      if (file) return backup + "\\" + file;
    }
  }
  return std::string();
}
