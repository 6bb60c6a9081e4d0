// One measured case: an operation of the program at one size, beside its
// floor.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

struct BenchCase {
  std::string operation;
  int32_t quotes;                       // size of datos.dat; 0 where it does not matter
  std::function<void(int32_t)> store;   // the program's operation, once
  std::function<void(int32_t)> floor;   // its floor, once; empty when it has none
  std::function<void(int32_t)> prepare; // before every run of either, untimed; may be empty
  bool writes;                          // writes files: each run starts with none unwritten
  bool cpuTime;                         // judged by CPU time rather than wall time
  double target = 0;                    // the most its median may take, in seconds; 0: none
};
