// The store and print benchmark: runs every case and its floor in turn (and
// the repetitions of all cases interleaved at random), so that drift in the
// disk hits both alike; measures each operation's peak memory in a process of
// its own; and writes the table of medians over every single run.
//
//   presupuestos_bench [--sizes=1000,10000,100000] [--repetitions=N]
//                      [--data=DIR] [--table=FILE] [benchmark flags]
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bench/cases.h"
#include "bench/heap_count.h"
#include "bench/scratch_store.h"

namespace {

struct Options {
  std::vector<int32_t> sizes{1000, 10000, 100000};
  int repetitions = 9;
  std::string table = "table.md";
  int peakCase = -1;  // set in the child that measures one case's memory
};

std::string CaseName(const BenchCase& c) { return c.operation + "/" + std::to_string(c.quotes); }

// Every single run's time, in seconds, of each case's operation and floor.
struct Samples {
  std::vector<double> store, floor;
};
std::map<std::string, Samples> samples;

double CpuNow() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double WallNow() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// One run of the operation or its floor, after its untimed preparation.
double TimeOnce(const BenchCase& c, const std::function<void(int32_t)>& operation) {
  if (c.prepare) c.prepare(c.quotes);
  if (c.writes) sync();
  double start = c.cpuTime ? CpuNow() : WallNow();
  operation(c.quotes);
  return (c.cpuTime ? CpuNow() : WallNow()) - start;
}

// Runs the operation and its floor in turn, the floor first every other time,
// so that whatever the machine is doing falls on both alike. Google Benchmark
// is given the operation's own time.
void RunCase(benchmark::State& state, const BenchCase& c) {
  EnterQuoteFolder(c.quotes);
  Samples& mine = samples[CaseName(c)];
  bool floorFirst = false;
  for (auto _ : state) {
    if (c.floor && floorFirst) mine.floor.push_back(TimeOnce(c, c.floor));
    double time = TimeOnce(c, c.store);
    mine.store.push_back(time);
    if (c.floor && !floorFirst) mine.floor.push_back(TimeOnce(c, c.floor));
    floorFirst = !floorFirst;
    state.SetIterationTime(time);
  }
  RestoreQuoteFolder(c.quotes);
}

double Quantile(std::vector<double> values, double q) {
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(q * static_cast<double>(values.size() - 1) + 0.5)];
}

std::string TimeText(double seconds) {
  char text[32];
  if (seconds >= 1) {
    std::snprintf(text, sizeof text, "%.2f s", seconds);
  } else if (seconds >= 1e-3) {
    std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
  } else {
    std::snprintf(text, sizeof text, "%.1f \xC2\xB5s", seconds * 1e6);
  }
  return text;
}

// "8.37 ms ±3%": the median of all runs and half the spread of their middle
// half, against the median.
std::string Measured(const std::vector<double>& runs) {
  double median = Quantile(runs, 0.5);
  double spread = (Quantile(runs, 0.75) - Quantile(runs, 0.25)) / 2 / median;
  char text[16];
  std::snprintf(text, sizeof text, " \xC2\xB1%.0f%%", spread * 100);
  return TimeText(median) + text;
}

struct Peak {
  long heap = -1;  // most heap bytes held above the start, in bytes
  long rss = -1;   // growth of the peak resident size, in KiB
};

// A "VmRSS:" or "VmHWM:" line of /proc/self/status, in KiB.
long StatusKib(const char* field) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::strlen(field));
  }
  return -1;
}

// What one run of the case's operation takes, in a fresh process so that
// nothing earlier has touched the heap or the pages it uses. The kernel's
// peak resident size is set back to the present one first (getrusage would
// carry the peak of the process that started this one).
Peak MeasurePeak(const BenchCase& c) {
  EnterQuoteFolder(c.quotes);
  if (c.prepare) c.prepare(c.quotes);
  if (c.writes) sync();
  std::ofstream("/proc/self/clear_refs") << "5";
  long before = StatusKib("VmRSS:");
  StartHeapCount();
  c.store(c.quotes);
  Peak peak;
  peak.heap = static_cast<long>(PeakHeapGrowth());
  long after = StatusKib("VmHWM:");
  if (before >= 0 && after >= 0) peak.rss = after - before;
  RestoreQuoteFolder(c.quotes);
  return peak;
}

Peak PeakInChild(int index, const Options& options) {
  std::string sizes;
  for (int32_t size : options.sizes) sizes += (sizes.empty() ? "" : ",") + std::to_string(size);
  std::string peakArg = "--peak=" + std::to_string(index);
  std::string dataArg = "--data=" + ScratchRoot;
  std::string sizesArg = "--sizes=" + sizes;
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return Peak{};
  pid_t child = fork();
  if (child == 0) {
    dup2(pipeEnds[1], STDOUT_FILENO);
    close(pipeEnds[0]);
    execl("/proc/self/exe", "presupuestos_bench", peakArg.c_str(), dataArg.c_str(),
          sizesArg.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeEnds[1]);
  char text[64] = {0};
  ssize_t got = read(pipeEnds[0], text, sizeof text - 1);
  close(pipeEnds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  Peak peak;
  if (got > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
    std::sscanf(text, "%ld %ld", &peak.heap, &peak.rss);
  }
  return peak;
}

std::string KibText(long bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f KiB", bytes / 1024.0);
  return text;
}

std::vector<int32_t> ParseSizes(const std::string& text) {
  std::vector<int32_t> sizes;
  std::stringstream in(text);
  for (std::string item; std::getline(in, item, ',');) sizes.push_back(std::stoi(item));
  return sizes;
}

// Takes this program's own flags out of argv, leaving the benchmark's.
Options ParseOptions(int& argc, char** argv) {
  Options options;
  std::string data = "data";
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    auto value = [&](const char* flag) { return arg.substr(std::string(flag).size()); };
    if (arg.rfind("--sizes=", 0) == 0) {
      options.sizes = ParseSizes(value("--sizes="));
    } else if (arg.rfind("--repetitions=", 0) == 0) {
      options.repetitions = std::stoi(value("--repetitions="));
    } else if (arg.rfind("--data=", 0) == 0) {
      data = value("--data=");
    } else if (arg.rfind("--table=", 0) == 0) {
      options.table = value("--table=");
    } else if (arg.rfind("--peak=", 0) == 0) {
      options.peakCase = std::stoi(value("--peak="));
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  // The cases move between folders: keep the table's path absolute.
  char here[4096];
  if (options.table[0] != '/' && getcwd(here, sizeof here)) {
    options.table = std::string(here) + "/" + options.table;
  }
  mkdir(data.c_str(), 0777);
  char* absolute = realpath(data.c_str(), nullptr);
  if (!absolute) throw std::runtime_error("no data folder " + data);
  ScratchRoot = absolute;
  std::free(absolute);
  return options;
}

std::string Table(const std::vector<BenchCase>& cases, const std::vector<Peak>& peaks) {
  const char* none = "\xE2\x80\x94";
  std::ostringstream out;
  out << "| Operation | Quotes | Time | Floor | Ratio | Runs | Peak memory (heap) | Peak RSS growth |\n"
      << "|---|---:|---:|---:|---:|---:|---:|---:|\n";
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const BenchCase& c = cases[i];
    const Samples& runs = samples[CaseName(c)];
    char ratio[16];
    std::snprintf(ratio, sizeof ratio, "%s", none);
    if (!runs.store.empty() && !runs.floor.empty()) {
      std::snprintf(ratio, sizeof ratio, "%.2f", Quantile(runs.store, 0.5) / Quantile(runs.floor, 0.5));
    }
    out << "| " << c.operation << (c.cpuTime ? " (CPU)" : "") << " | "
        << (c.quotes ? std::to_string(c.quotes) : none) << " | "
        << (runs.store.empty() ? "?" : Measured(runs.store)) << " | "
        << (runs.floor.empty() ? none : Measured(runs.floor)) << " | " << ratio << " | "
        << runs.store.size() << " | "
        << (peaks[i].heap < 0 ? "?" : KibText(peaks[i].heap)) << " | "
        << (peaks[i].rss < 0 ? "?" : std::to_string(peaks[i].rss) + " KiB") << " |\n";
  }
  return out.str();
}

// One line for each case with a target: its median against it. `over` is
// set where a median is above its target.
std::string Targets(const std::vector<BenchCase>& cases, bool& over) {
  std::ostringstream out;
  for (const BenchCase& c : cases) {
    const std::vector<double>& runs = samples[CaseName(c)].store;
    if (c.target <= 0 || runs.empty()) continue;
    double median = Quantile(runs, 0.5);
    bool within = median <= c.target;
    over = over || !within;
    out << "- " << c.operation << ": " << TimeText(median) << (within ? " within" : " OVER")
        << " its target of " << TimeText(c.target) << "\n";
  }
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  Options options = ParseOptions(argc, argv);
  std::vector<int32_t> folders = options.sizes;
  folders.push_back(0);
  std::vector<BenchCase> cases = BenchCases(options.sizes);

  if (options.peakCase >= 0) {
    Peak peak = MeasurePeak(cases.at(static_cast<std::size_t>(options.peakCase)));
    std::printf("%ld %ld\n", peak.heap, peak.rss);
    return 0;
  }

  for (int32_t quotes : folders) MakeQuoteFolder(quotes);
  for (const BenchCase& c : cases) {
    auto* bench = benchmark::RegisterBenchmark(CaseName(c).c_str(), RunCase, c);
    bench->Repetitions(options.repetitions)->ReportAggregatesOnly(true)->UseManualTime()->Unit(
        benchmark::kMillisecond);
    // An overwrite of the largest file takes near half a second, and its
    // floor as long: five of each per repetition. Everything else runs for
    // a quarter of a second at least, as long again for its floor.
    if (c.quotes >= 100000 && c.operation.rfind("SaveQuote overwrite", 0) == 0) {
      bench->Iterations(5);
    } else {
      bench->MinTime(0.25);
    }
  }

  // Repetitions of all cases interleaved in random order, unless asked otherwise.
  std::vector<char*> args(argv, argv + argc);
  char interleave[] = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave);
  int argCount = static_cast<int>(args.size());
  benchmark::Initialize(&argCount, args.data());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  std::vector<Peak> peaks;
  for (std::size_t i = 0; i < cases.size(); ++i) peaks.push_back(PeakInChild(static_cast<int>(i), options));

  bool over = false;
  std::string table = Table(cases, peaks) + "\n" + Targets(cases, over);
  std::printf("\n%s", table.c_str());
  std::ofstream(options.table) << table;
  return over ? 1 : 0;
}
