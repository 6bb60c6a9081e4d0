// One keystroke in the search dialog as the Windows program does it, timed
// under Wine: the search over every quote in the working folder and the
// reading of a screenful of rows. Built by scripts/bench.sh with MinGW-w64.
//
//   wine_keystroke.exe QUOTES WORDS   (in a folder of QUOTES quotes)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "dialogs/quote_search.h"
#include "dialogs/search_rows.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  int32_t quotes = std::atoi(argv[1]);
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  auto* rows = new SearchRowCache;
  for (int run = 0; run < 21; ++run) {
    QueryPerformanceCounter(&start);
    std::vector<int32_t> listed = FindQuotes(argv[2], quotes);
    ClearSearchRows(*rows);
    for (std::size_t row = 0; row < 25 && row < listed.size(); ++row) CachedSearchRow(*rows, listed[row]);
    QueryPerformanceCounter(&end);
    times.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1e3 /
                    static_cast<double>(frequency.QuadPart));
  }
  std::sort(times.begin(), times.end());
  std::printf("| Search keystroke under Wine | %d | %.2f ms | %.2f ms |\n", quotes, times[10], times[20]);
  delete rows;
  return 0;
}
