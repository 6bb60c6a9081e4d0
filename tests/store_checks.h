// Test support for the fault and crash tests: a store of known quotes, and
// the checks that what an interrupted operation left behind has lost nothing.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

#include "store/company_file.h"
#include "store/dated_backup.h"
#include "store/quote_export.h"
#include "store/quote_file.h"
#include "store/quote_record.h"
#include "tests/test_folder.h"

namespace store_checks {

constexpr char kBackupFolder[] = "6-12-2026";  // TodayText 6/12/2026

// Quote n as stored: every field differs from every other quote's.
inline std::string SampleQuote(int n) {
  std::string tag = std::to_string(n);
  return RecordBytes("Linea " + tag + "\r\nsegunda linea " + tag, "Cliente " + tag,
                     tag + "/12/2026", "Calle " + tag, tag + "0,00");
}

// The quote being saved, in CurrentQuote and as its record.
inline std::string NewQuote() {
  SetCurrentQuote("Nuevo\r\ncorregido", "Pe\xF1" "a", "7/12/2026", "Plaza", "99,99");
  return RecordBytes("Nuevo\r\ncorregido", "Pe\xF1" "a", "7/12/2026", "Plaza", "99,99");
}

// A record in a failure message: its customer name and a digest of its bytes.
inline std::string Show(const std::string& record) {
  if (record.size() != kRecordSize) return "(" + std::to_string(record.size()) + " bytes)";
  std::size_t digest = std::hash<std::string>()(record);
  return std::string(record.c_str() + 1800) + " #" + std::to_string(digest);
}

inline int32_t WordOf(const std::string& bytes, std::size_t at) {
  uint32_t word = 0;
  for (int i = 3; i >= 0; --i) word = word << 8 | static_cast<unsigned char>(bytes[at + i]);
  return static_cast<int32_t>(word);
}

// Removes whatever an operation may leave in the test's folder, so that one
// folder serves a whole sweep.
inline void EmptyFolder() {
  for (const char* name : {"datos.dat", "config.cfg", "trasvase.dat", "datos.dat.tmp",
                           "trasvase.dat.tmp", "config.cfg.tmp", "LPT1"}) {
    std::remove(name);
  }
  for (std::string folder : {kBackupFolder, kBackupWorkFolder}) {
    std::remove((folder + "/datos.dat").c_str());
    std::remove((folder + "/config.cfg").c_str());
    ::rmdir(folder.c_str());
  }
}

// The files before an operation: quotes 1..n in datos.dat (then `tail`, a
// crash's leftover) and config.cfg counting them, unless it is left out.
struct Store {
  std::vector<std::string> quotes;
  int32_t launchCount = 0;
  bool settingsThere = true;
  std::string tail;

  std::string QuoteFileBytes() const {
    std::string bytes;
    for (const std::string& quote : quotes) bytes += quote;
    return bytes + tail;
  }
  int32_t Count() const { return static_cast<int32_t>(quotes.size()); }
};

inline Store MakeStore(int count, int32_t launchCount, bool settingsThere = true,
                       const std::string& tail = "") {
  Store store;
  for (int n = 1; n <= count; ++n) store.quotes.push_back(SampleQuote(n));
  store.launchCount = launchCount;
  store.settingsThere = settingsThere;
  store.tail = tail;
  return store;
}

// Lays the store down in an emptied folder and sets RecordCount as a
// start-up would have.
inline void LayDown(const Store& store) {
  EmptyFolder();
  if (store.Count() > 0 || !store.tail.empty()) WriteBytes("datos.dat", store.QuoteFileBytes());
  if (store.settingsThere) {
    WriteBytes("config.cfg", SettingsBytes(store.Count(), store.launchCount));
  }
  RecordCount = store.Count();
}

// What the files hold now, read as a fresh start-up would: the count in
// config.cfg and each counted quote's record.
struct OnDisk {
  bool settingsThere = false;
  int32_t count = 0;
  int32_t launchCount = 0;
  std::vector<std::string> quotes;
};

// Reads the files back; config.cfg must be whole, every counted quote must be
// in datos.dat whole and LoadQuote must give back exactly its texts.
inline OnDisk ReadBack() {
  OnDisk disk;
  std::string settings = ReadBytes("config.cfg");
  disk.settingsThere = Exists("config.cfg");
  if (disk.settingsThere) {
    EXPECT_EQ(settings.size(), 8u) << "config.cfg left part-written";
    if (settings.size() != 8) return disk;
    disk.count = WordOf(settings, 0);
    disk.launchCount = WordOf(settings, 4);
  }
  std::string file = ReadBytes("datos.dat");
  int64_t whole = static_cast<int64_t>(file.size() / kRecordSize);
  EXPECT_GE(whole, disk.count) << "config.cfg counts quotes that are not in datos.dat";
  for (int32_t n = 1; n <= disk.count && n <= whole; ++n) {
    std::string record = file.substr((n - 1) * kRecordSize, kRecordSize);
    disk.quotes.push_back(record);
    QuoteRecord stored, expected, loaded;
    std::memcpy(&stored, record.data(), kRecordSize);
    ClearQuote(expected);
    CopyQuote(expected, stored);
    ClearQuote(CurrentQuote);
    LoadQuote(n, CurrentQuote);
    ClearQuote(loaded);
    CopyQuote(loaded, CurrentQuote);
    EXPECT_EQ(std::memcmp(&loaded, &expected, kRecordSize), 0) << "quote " << n << " loads wrong";
  }
  return disk;
}

// A dated backup, if there is one, is a whole copy of the quotes and of
// config.cfg, with this launch counted or not (when it could not be written
// down): a backup cut short leaves no dated folder.
inline void ExpectBackupWholeOrAbsent(const Store& store) {
  std::string folder = kBackupFolder;
  if (!Exists(folder)) return;
  std::string quotes = store.QuoteFileBytes().substr(0, store.quotes.size() * kRecordSize);
  EXPECT_TRUE(ReadBytes(folder + "/datos.dat") == quotes) << "backup of datos.dat not whole";
  std::string settings = ReadBytes(folder + "/config.cfg");
  EXPECT_TRUE(settings == SettingsBytes(store.Count(), store.launchCount + 1) ||
              settings == SettingsBytes(store.Count(), store.launchCount))
      << "backup of config.cfg not whole";
}

// After a failed or interrupted save: the user saves once more with the disk
// healthy; it must work and keep every quote the files counted.
inline void ExpectAppendKeepsAll(const OnDisk& before) {
  std::string added = NewQuote();
  ASSERT_TRUE(SaveQuote(1, 0)) << "a healthy append was refused";
  OnDisk after = ReadBack();
  ASSERT_EQ(after.count, before.count + 1);
  ASSERT_EQ(after.quotes.size(), static_cast<std::size_t>(after.count));
  ASSERT_EQ(before.quotes.size(), static_cast<std::size_t>(before.count));
  for (int32_t n = 0; n < before.count; ++n) {
    EXPECT_EQ(Show(after.quotes[n]), Show(before.quotes[n]));
  }
  EXPECT_EQ(Show(after.quotes.back()), Show(added));
  EXPECT_EQ(RecordCount, after.count);
}

// A file written whole beside the quotes, as a temporary synced and renamed
// over it: the export and empresa.ini. A write leaves it as it was
// (`before`) or wholly new (`after`, as a healthy write leaves it).
struct WholeFile {
  const char* name;
  const char* temporary;
  std::function<void()> layDown;
  std::function<bool()> write;
  std::string before, after;
};

inline std::vector<WholeFile> WholeFiles() {
  auto clear = [] {
    for (const char* name : {"copia.csv", "copia.csv.tmp", "empresa.ini", "empresa.ini.tmp"}) {
      std::remove(name);
    }
  };
  std::vector<WholeFile> files = {
      {"copia.csv", "copia.csv.tmp",
       [clear] {
         clear();
         LayDown(MakeStore(3, 2));
         WriteBytes("copia.csv", "una exportacion anterior");
       },
       [] { return ExportQuotes(L"copia.csv", 3).written; }, "", ""},
      // ANSI, as Notepad saves it: the write also makes it UTF-16.
      {"empresa.ini", "empresa.ini.tmp",
       [clear] {
         clear();
         WriteBytes("empresa.ini", "[Empresa]\r\nNombre=Pe\xF1" "a\r\n");
       },
       [] {
         CompanyData company;
         company.name = "Obras Pe\xF1" "a";
         company.vatRate = "21";
         return WriteCompanyData(company);
       }, "", ""},
  };
  for (WholeFile& file : files) {
    file.layDown();
    file.before = ReadBytes(file.name);
    EXPECT_TRUE(file.write());
    file.after = ReadBytes(file.name);
  }
  return files;
}

// The file is as it was or wholly new; new where its write was reported.
inline void ExpectOldOrNew(const WholeFile& file, bool reported) {
  std::string now = ReadBytes(file.name);
  EXPECT_TRUE(now == file.after || (!reported && now == file.before))
      << file.name << ": " << now.size();
}

}  // namespace store_checks
