// The measured cases: each store operation at each size beside its floor,
// and the print job.
#pragma once
#include <cstdint>
#include <vector>

#include "bench/bench_case.h"

std::vector<BenchCase> BenchCases(const std::vector<int32_t>& sizes);
