// The readers of datos.dat for the search and the export, through the disk
// seam. A pass reads about 250 KB a call straight into its block.
#include "store/quote_scan.h"

#include <cstring>
#include <memory>

#include "store/disk.h"
#include "store/file_names.h"
#include "store/quote_file.h"
#include "store/settings.h"
#include "store/store_rules.h"

namespace {

// Records per read: large enough that the system's per-call cost vanishes,
// small enough to stay in the processor's cache while it is searched.
constexpr int32_t kBlockRecords = 128;

}  // namespace

int32_t ScanQuotes(int32_t count, const std::function<void(int32_t, const QuoteRecord&)>& visit) {
  DiskFile* file = count > 0 ? DiskOpen(kQuoteFile, DiskMode::Read) : nullptr;
  // Left unset: every record handed on is first read whole into it.
  std::unique_ptr<QuoteRecord[]> block(file ? new QuoteRecord[kBlockRecords] : nullptr);
  int32_t number = 1;
  while (file && number <= count) {
    int32_t wanted = count - number + 1 < kBlockRecords ? count - number + 1 : kBlockRecords;
    std::size_t got = DiskRead(file, block.get(), static_cast<std::size_t>(wanted) * kRecordSize);
    int32_t whole = static_cast<int32_t>(got / kRecordSize);
    for (int32_t i = 0; i < whole; ++i) {
      // The texts of a record lie at its start and its end; the next
      // record's are asked for while this one is looked at.
      if (i + 1 < whole) {
        const char* next = reinterpret_cast<const char*>(&block[static_cast<std::size_t>(i) + 1]);
        for (int line : {0, 64, 128, 1792, 1856, 1920}) __builtin_prefetch(next + line);
      }
      visit(number++, block[static_cast<std::size_t>(i)]);
    }
    if (whole < wanted) break;
  }
  if (file) DiskClose(file);
  return number - 1;
}

int32_t StoredQuoteCount() {
  return PlanCount(SeeSettings(), WholeRecords(SeeFile(kQuoteFile))).recordCount;
}

std::size_t FieldLength(const char* field, std::size_t width) {
  const void* end = std::memchr(field, '\0', width);
  return end ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : width;
}
