// The floors, in plain POSIX calls with one 256 KiB buffer: the same bytes and
// the same syncs as the store's operations, with nothing else around them.
#include "bench/floors.h"

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "bench/scratch_store.h"
#include "store/file_names.h"
#include "store/quote_record.h"

namespace {

constexpr std::size_t kBuffer = 256 * 1024;
char buffer[kBuffer];

void SyncFolder() {
  int folder = ::open(".", O_RDONLY);
  ::fsync(folder);
  ::close(folder);
}

// Copies `size` bytes (all of the file when negative) from one file into a
// new one; syncs the copy when asked.
void CopyFile(const char* from, const char* to, int64_t size, bool sync) {
  int source = ::open(from, O_RDONLY);
  int copy = ::open(to, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  for (;;) {
    std::size_t want = size < 0 || size > static_cast<int64_t>(kBuffer) ? kBuffer
                                                                        : static_cast<std::size_t>(size);
    if (want == 0) break;
    ssize_t got = ::read(source, buffer, want);
    if (got <= 0 || ::write(copy, buffer, static_cast<std::size_t>(got)) != got) break;
    if (size > 0) size -= got;
  }
  if (sync) ::fsync(copy);
  ::close(copy);
  ::close(source);
}

void WriteSettingsFloor(int32_t records) {
  int32_t words[2] = {records, 5};
  int file = ::open("config.cfg.tmp", O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ::write(file, words, sizeof words);
  ::fsync(file);
  ::close(file);
  ::rename("config.cfg.tmp", "config.cfg");
  SyncFolder();
}

}  // namespace

void ReadFloor(int32_t records) {
  int file = ::open("datos.dat", O_RDONLY);
  int64_t left = static_cast<int64_t>(records) * kRecordSize;
  while (left > 0) {
    ssize_t got = ::read(file, buffer, left < static_cast<int64_t>(kBuffer) ? left : kBuffer);
    if (got <= 0) break;
    left -= got;
  }
  ::close(file);
}

void ReadOneFloor(int32_t number) {
  QuoteRecord record;
  int file = ::open("datos.dat", O_RDONLY);
  ::pread(file, &record, sizeof record, static_cast<off_t>(number - 1) * kRecordSize);
  ::close(file);
}

void AppendFloor(int32_t records) {
  QuoteRecord record = CurrentQuote;
  int file = ::open("datos.dat", O_WRONLY);
  ::pwrite(file, &record, sizeof record, static_cast<off_t>(records) * kRecordSize);
  ::fsync(file);
  ::close(file);
  WriteSettingsFloor(records + 1);
}

void OverwriteFloor() {
  CopyFile("datos.dat", "trasvase.dat", -1, false);
  CopyFile("datos.dat", "datos.dat.tmp", -1, true);
  ::rename("datos.dat.tmp", "datos.dat");
  SyncFolder();
}

void StartupFloor(int32_t records) {
  WriteSettingsFloor(records);
  ::mkdir(kBackupWorkFolder, 0777);
  std::string folder = kBackupWorkFolder;
  CopyFile("datos.dat", (folder + "/datos.dat").c_str(), static_cast<int64_t>(records) * kRecordSize,
           true);
  CopyFile("config.cfg", (folder + "/config.cfg").c_str(), 8, true);
  int work = ::open(kBackupWorkFolder, O_RDONLY);
  ::fsync(work);
  ::close(work);
  ::rename(kBackupWorkFolder, kBackupFolder);
  SyncFolder();
}

void ExportFloor(int32_t records) {
  CopyFile("datos.dat", "copia.csv.tmp", static_cast<int64_t>(records) * kRecordSize, true);
  ::rename("copia.csv.tmp", "copia.csv");
  SyncFolder();
}
