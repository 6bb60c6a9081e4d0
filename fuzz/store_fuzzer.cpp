// libFuzzer target: arbitrary datos.dat and config.cfg contents and arbitrary
// control texts driven through start-up, loads, saves, printing and the
// three dialogs, in a scratch folder of its own.
//
// Input: one flags byte; with bit 0, a 16-bit length and config.cfg's bytes;
// with bit 1, the same for datos.dat; with bit 2, today's backup folder is
// already there. Then commands, one byte each and their arguments, until
// the input ends (see RunCommand). A save that reports success is read back
// at once and must hold the texts saved. After every command but the
// fuzzer's own file writes, each whole record that datos.dat held before it
// must be there byte for byte, but for the one record an overwrite targets;
// at the end, the export and the search account for every quote counted.
// The fuzzer changes into a scratch folder at its first input: give it
// absolute paths.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <windows.h>

#include "common/number_text.h"
#include "dialogs/browse.h"
#include "dialogs/quote_dialogs.h"
#include "dialogs/quote_search.h"
#include "dialogs/working_copy.h"
#include "print/print_job.h"
#include "resources/resource.h"
#include "store/dated_backup.h"
#include "store/disk.h"
#include "store/quote_export.h"
#include "store/quote_file.h"
#include "store/quote_record.h"
#include "store/settings.h"
#include "store/start_up.h"
#include "tests/disk_faults.h"
#include "winstub/stand_in.h"

namespace {

// Reads the input from the front; past its end every read gives zeros.
struct Input {
  const uint8_t* data;
  std::size_t size;
  std::size_t at = 0;

  bool More() const { return at < size; }
  uint8_t Byte() { return at < size ? data[at++] : 0; }
  // The low byte first: the two reads must not be operands of one
  // expression, whose order of evaluation is left to the compiler.
  uint16_t Word16() {
    uint16_t low = Byte();
    return static_cast<uint16_t>(low | Byte() << 8);
  }
  int32_t Word32() {
    uint32_t word = Word16();
    word |= static_cast<uint32_t>(Word16()) << 16;
    return static_cast<int32_t>(word);
  }
  std::string Bytes(std::size_t wanted) {
    std::size_t n = wanted < size - at ? wanted : size - at;
    std::string bytes(reinterpret_cast<const char*>(data + at), n);
    at += n;
    return bytes;
  }
  std::string Counted() { return Bytes(Word16()); }
};

const char* const kDates[] = {"6/12/2026", "16/01/2027", "1/01/2000"};
const char* const kFolders[] = {"6-12-2026", "16-01-2027", "1-01-2000"};
const char* const kFiles[] = {"datos.dat",        "config.cfg",     "trasvase.dat", "datos.dat.tmp",
                              "trasvase.dat.tmp", "config.cfg.tmp", "LPT1", "lista.csv"};
const int kControls[] = {IDC_BODY, IDC_DATE, IDC_ADDRESS, IDC_NAME, IDC_TOTAL, IDC_NUMBER};
const int kCommands[] = {IDC_SAVE, IDC_PRINT, IDC_NEXT, IDC_PREV, IDCANCEL, IDOK, 0, 0xFFFF};
const int kAnswers[] = {IDYES, IDNO, IDCANCEL, 0};
const DLGPROC kDialogs[] = {NewQuoteDialogProc, ListQuoteDialogProc, ModifyQuoteDialogProc};

template <typename T, std::size_t N>
const T& Pick(Input& in, const T (&choices)[N]) {
  return choices[in.Byte() % N];
}

void WriteFile(const char* path, const std::string& bytes) {
  if (std::FILE* file = std::fopen(path, "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
}

// Only the names the program can make are removed: a handful of unlinks.
void EmptyFolder() {
  for (const char* name : kFiles) std::remove(name);
  std::string folders[] = {kFolders[0], kFolders[1], kFolders[2], kBackupWorkFolder};
  for (const std::string& folder : folders) {
    std::remove((folder + "/datos.dat").c_str());
    std::remove((folder + "/config.cfg").c_str());
    ::rmdir(folder.c_str());
  }
}

std::string ReadFile(const char* path) {
  std::string bytes;
  if (std::FILE* file = std::fopen(path, "rb")) {
    char block[4096];
    std::size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0) bytes.append(block, got);
    std::fclose(file);
  }
  return bytes;
}

std::string ScratchFolder;

void LeaveScratchFolder() {
  EmptyFolder();
  if (::chdir("/") == 0) ::rmdir(ScratchFolder.c_str());
}

// Into a scratch folder once; on a memory file system when there is one, so
// that the store's syncs cost nothing. It goes when the run ends.
void EnterScratchFolder() {
  const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  ScratchFolder = std::string(base) + "/presupuestos-fuzz-XXXXXX";
  if (!::mkdtemp(ScratchFolder.data()) || ::chdir(ScratchFolder.c_str()) != 0) std::abort();
  std::atexit(LeaveScratchFolder);
}

DLGPROC OpenDialog = nullptr;

// Disk faults on demand: the disk operation OpsToFault from now fails (a
// write put down in half), and with FaultsStay every one after it too.
int OpsToFault = 0;
bool FaultsStay = false;
DiskFault FaultWhenDue(DiskOp op) {
  if (OpsToFault == 0) return FaultsStay ? DiskFault::Error : DiskFault::None;
  if (--OpsToFault > 0) return DiskFault::None;
  return op == DiskOp::Write ? DiskFault::ShortWrite : DiskFault::Error;
}

QuoteRecord Fields(const QuoteRecord& quote) {
  QuoteRecord fields;
  ClearQuote(fields);
  CopyQuote(fields, quote);
  return fields;
}

// A save that says it stored the quote must have: read back at once, with
// the disk healthy, quote `number` has the working copy's texts.
void SaveAndCheck(unsigned char isNew, int32_t number) {
  QuoteRecord working = CurrentQuote;
  if (!SaveQuote(isNew, number)) return;
  DiskFaultHook hook = DiskHook;
  DiskHook = nullptr;
  LoadQuote(isNew ? RecordCount : number, CurrentQuote);
  QuoteRecord saved = Fields(working), loaded = Fields(CurrentQuote);
  if (std::memcmp(&saved, &loaded, sizeof saved) != 0) std::abort();
  DiskHook = hook;
  CurrentQuote = working;
}

// What the command being run may change: the number of the one record an
// overwrite may replace (0: none), or anything, for the fuzzer's own writes.
int32_t Target = 0;
bool External = false;

// The number the new-quote dialog's first save stored its quote under; a
// later save overwrites that quote, whatever has been stored since.
int32_t NewQuoteStoredAs = 0;

// The quote the open dialog's "Guardar" (or "S\xED" to its question) would
// overwrite; 0 when it would append or cannot save.
int32_t DialogTarget() {
  if (OpenDialog == ModifyQuoteDialogProc) return BrowseIndex;
  if (OpenDialog == NewQuoteDialogProc && !IsNew) return NewQuoteStoredAs;
  return 0;
}

void RunCommand(Input& in) {
  HWND dialog = StandInDialog();
  switch (in.Byte() % 11) {
    case 0:
      LoadQuote(in.Word32(), CurrentQuote);
      break;
    case 1: {
      // Whatever bytes, NUL or not, in the working copy.
      std::string bytes = in.Bytes(in.Word16() % (sizeof CurrentQuote + 1));
      std::memcpy(&CurrentQuote, bytes.data(), bytes.size());
      break;
    }
    case 2: {
      unsigned char isNew = in.Byte() & 1;
      int32_t number = in.Word32();
      Target = isNew ? 0 : number;
      SaveAndCheck(isNew, number);
      break;
    }
    case 3: {
      int id = Pick(in, kControls);
      StandIn().controlText[id] = StandInWiden(in.Counted());
      break;
    }
    case 4:
      ReadControls(dialog);
      PrintQuote(CurrentQuote, in.Word32(), CompanyData(), false, dialog);
      break;
    case 5:
      OpenDialog = Pick(in, kDialogs);
      StandIn().ended = false;
      OpenDialog(dialog, WM_INITDIALOG, 0, 0);
      break;
    case 6: {
      int id = Pick(in, kCommands);
      if (!OpenDialog) break;
      Target = DialogTarget();
      bool firstSave = OpenDialog == NewQuoteDialogProc && IsNew;
      OpenDialog(dialog, WM_COMMAND, MAKEWPARAM(id, in.Byte()), 0);
      if (firstSave && !IsNew) NewQuoteStoredAs = RecordCount;
      if (StandIn().ended) OpenDialog = nullptr;
      break;
    }
    case 7:
      StandIn().boxAnswers.push_back(Pick(in, kAnswers));
      break;
    case 8:
      // The program starts again on the files as they are.
      OpenDialog = nullptr;
      LoadSettings();
      break;
    case 9: {
      // Something outside the program changes a file between two steps.
      External = true;
      const char* path = in.Byte() & 1 ? "config.cfg" : "datos.dat";
      WriteFile(path, in.Counted());
      break;
    }
    case 10: {
      uint8_t plan = in.Byte();
      OpsToFault = 1 + (plan & 0x3F);
      FaultsStay = plan & 0x40;
      DiskHook = plan & 0x80 ? nullptr : FaultWhenDue;
      break;
    }
  }
}

// The search and the export read whatever the files hold: each quote
// counted is exported or counted as unreadable, and the search with nothing
// typed lists each of them (of the missing ones, up to its limit). Run on a
// healthy disk, so that no planned fault is spent here.
void CheckReaders(std::size_t quoteFileSize) {
  DiskFaultHook hook = DiskHook;
  DiskHook = nullptr;
  int32_t counted = RecordCount > 0 ? RecordCount : 0;
  int64_t whole = static_cast<int64_t>(quoteFileSize / kRecordSize);
  auto readable = static_cast<int32_t>(whole < counted ? whole : counted);
  ExportResult all = ExportQuotes(L"lista.csv", RecordCount);
  if (!all.written || all.exported != readable || all.unreadable != counted - readable) std::abort();
  int32_t missing = counted - readable < kMostMissingListed ? counted - readable : kMostMissingListed;
  if (FindQuotes("", RecordCount).size() != static_cast<std::size_t>(readable + missing)) std::abort();
  DiskHook = hook;
}

// Runs one command and checks that it left every whole record it did not
// target as it was.
void RunAndCheck(Input& in) {
  std::string before = ReadFile("datos.dat");
  Target = 0;
  External = false;
  RunCommand(in);
  if (External) return;
  std::string after = ReadFile("datos.dat");
  std::size_t whole = before.size() / kRecordSize;
  for (std::size_t i = 0; i < whole; ++i) {
    if (static_cast<int64_t>(i) + 1 == Target) continue;
    std::size_t at = i * kRecordSize;
    if (after.size() < at + kRecordSize || after.compare(at, kRecordSize, before, at, kRecordSize) != 0) {
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static bool entered = false;
  if (!entered) {
    EnterScratchFolder();
    entered = true;
  }
  DiskHook = nullptr;
  OpsToFault = 0;
  FaultsStay = false;
  EmptyFolder();
  StandInReset();
  OpenDialog = nullptr;
  RecordCount = 0;
  ClearQuote(CurrentQuote);

  Input in{data, size};
  uint8_t flags = in.Byte();
  TodayText = kDates[(flags >> 3) % 3];
  if (flags & 1) WriteFile("config.cfg", in.Counted());
  if (flags & 2) WriteFile("datos.dat", in.Counted());
  if (flags & 4) ::mkdir(kFolders[(flags >> 3) % 3], 0777);

  LoadSettings();
  for (int commands = 0; in.More() && commands < 64; ++commands) RunAndCheck(in);
  CheckReaders(ReadFile("datos.dat").size());
  return 0;
}
