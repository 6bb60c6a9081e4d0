// Scratch working folders for the benchmark, written with plain POSIX calls
// so that preparing them never goes through the code being measured.
#include "bench/scratch_store.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "common/number_text.h"
#include "store/quote_record.h"

std::string ScratchRoot = "data";
const char kBenchDate[] = "6/12/2026";
const char kBackupFolder[] = "6-12-2026";

namespace {

void Fail(const std::string& what) { throw std::runtime_error(what + ": " + std::strerror(errno)); }

void PutText(char* field, std::size_t width, const std::string& text) {
  std::memset(field, 0, width);
  std::memcpy(field, text.data(), text.size() < width ? text.size() : width - 1);
}

// A quote of the size a real one has: a dozen lines of body, short fields.
void FillQuote(QuoteRecord& record, int32_t n) {
  std::string tag = std::to_string(n);
  std::string body;
  for (int line = 1; line <= 12; ++line) {
    body += "Linea " + std::to_string(line) + " del presupuesto " + tag +
            ": material y mano de obra\r\n";
  }
  PutText(record.body, kBodyWidth, body);
  PutText(record.name, kFieldWidth, "Cliente " + tag);
  PutText(record.date, kFieldWidth, "6/12/2026");
  PutText(record.address, kFieldWidth, "C/ Mayor " + tag);
  PutText(record.total, kFieldWidth, tag + ",00");
}

void WriteAll(int fd, const void* data, std::size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t n = ::write(fd, bytes, size);
    if (n <= 0) Fail("write");
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
}

}  // namespace

std::string QuoteFolder(int32_t quotes) { return ScratchRoot + "/q" + std::to_string(quotes); }

void PutSettings(int32_t recordCount, int32_t launchCount) {
  unsigned char bytes[8];
  for (int i = 0; i < 4; ++i) {
    bytes[i] = static_cast<unsigned char>(static_cast<uint32_t>(recordCount) >> (8 * i));
    bytes[4 + i] = static_cast<unsigned char>(static_cast<uint32_t>(launchCount) >> (8 * i));
  }
  int fd = ::open("config.cfg", O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) Fail("config.cfg");
  WriteAll(fd, bytes, sizeof bytes);
  ::close(fd);
}

void RemoveBackupFolder() {
  std::string folder = kBackupFolder;
  ::unlink((folder + "/datos.dat").c_str());
  ::unlink((folder + "/config.cfg").c_str());
  ::rmdir(folder.c_str());
}

void MakeQuoteFolder(int32_t quotes) {
  ::mkdir(ScratchRoot.c_str(), 0777);
  std::string folder = QuoteFolder(quotes);
  ::mkdir(folder.c_str(), 0777);
  if (::chdir(folder.c_str()) != 0) Fail(folder);
  RemoveBackupFolder();
  ::unlink("trasvase.dat");
  ::unlink("datos.dat.tmp");
  ::unlink("config.cfg.tmp");

  int fd = ::open("datos.dat", O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) Fail("datos.dat");
  std::vector<QuoteRecord> chunk(512);
  for (int32_t first = 1; first <= quotes; first += 512) {
    int32_t count = quotes - first + 1 < 512 ? quotes - first + 1 : 512;
    for (int32_t i = 0; i < count; ++i) FillQuote(chunk[i], first + i);
    WriteAll(fd, chunk.data(), count * sizeof(QuoteRecord));
  }
  ::fsync(fd);
  ::close(fd);
  PutSettings(quotes, 4);
  if (::chdir(ScratchRoot.c_str()) != 0) Fail(ScratchRoot);
}

void EnterQuoteFolder(int32_t quotes) {
  if (::chdir(QuoteFolder(quotes).c_str()) != 0) Fail(QuoteFolder(quotes));
  TodayText = kBenchDate;
  RecordCount = quotes;
  FillQuote(CurrentQuote, quotes + 1);
}

void RestoreQuoteFolder(int32_t quotes) {
  if (::truncate("datos.dat", static_cast<off_t>(quotes) * kRecordSize) != 0) Fail("truncate");
  PutSettings(quotes, 4);
  RemoveBackupFolder();
  RecordCount = quotes;
}
