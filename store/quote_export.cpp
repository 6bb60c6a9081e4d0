// Writing the export file: the quotes read in one pass from datos.dat, each
// turned into its row and written in large pieces.
#include "store/quote_export.h"

#include <algorithm>
#include <vector>

#include "common/csv_text.h"
#include "common/number_text.h"
#include "store/chosen_file.h"
#include "store/disk.h"
#include "store/quote_scan.h"
#include "store/store_rules.h"

namespace {

// Rows are gathered and written about this many bytes at a time.
constexpr std::size_t kWriteChunk = std::size_t{256} * 1024;

const char kHeader[][16] = {"N\xFAmero", "Fecha", "Nombre", "Domicilio", "Total", "Texto"};

void AppendField(std::string& out, const char* field, std::size_t width) {
  out += kCsvSeparator;
  AppendCsvField(out, field, FieldLength(field, width));
}

}  // namespace

void AppendQuoteRow(std::string& out, int32_t number, const QuoteRecord& record) {
  AppendCsvField(out, IntToText(number, 0));
  AppendField(out, record.date, kFieldWidth);
  AppendField(out, record.name, kFieldWidth);
  AppendField(out, record.address, kFieldWidth);
  AppendField(out, record.total, kFieldWidth);
  AppendField(out, record.body, kBodyWidth);
  out += kCsvRecordEnd;
}

ExportResult ExportQuotes(const std::wstring& path, int32_t count,
                          const std::vector<int32_t>* numbers) {
  ExportResult result;
  PathRefusal refusal = RefusePath(path);
  result.programFile = refusal.programFile;
  result.device = refusal.device;
  if (refusal.Refused()) return result;
  // Written beside the file, synced and renamed over it only once whole, so
  // that a failed export or a power cut leaves an earlier file of that name
  // as it was.
  BesideFile beside = OpenBeside(path, result.cause);
  result.temporariesTaken = beside.temporariesTaken;
  DiskFile* file = beside.file;
  if (!file) return result;

  std::vector<int32_t> wanted;
  if (numbers) {
    wanted = *numbers;
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
  }
  std::string out = kCsvFileStart;
  for (std::size_t i = 0; i < sizeof kHeader / sizeof kHeader[0]; ++i) {
    if (i > 0) out += kCsvSeparator;
    AppendCsvField(out, kHeader[i]);
  }
  out += kCsvRecordEnd;

  bool ok = true;
  std::size_t next = 0;  // the first wanted number not yet passed
  int32_t read = ScanQuotes(count, [&](int32_t number, const QuoteRecord& record) {
    if (numbers) {
      while (next < wanted.size() && wanted[next] < number) ++next;
      if (next == wanted.size() || wanted[next] != number) return;
    }
    AppendQuoteRow(out, number, record);
    ++result.exported;
    if (out.size() >= kWriteChunk) {
      ok = ok && DiskWrite(file, out.data(), out.size());
      out.clear();
    }
  });
  ok = ok && DiskWrite(file, out.data(), out.size());
  if (!PutInPlace(beside, path, ok, result.cause)) {
    result.exported = 0;
    return result;
  }
  if (numbers) {
    auto first = std::upper_bound(wanted.begin(), wanted.end(), read);
    result.unreadable = static_cast<int32_t>(std::upper_bound(first, wanted.end(), count) - first);
  } else {
    result.unreadable = count > read ? count - read : 0;
  }
  result.written = true;
  return result;
}
