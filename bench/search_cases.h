// The search and export cases of the benchmark.
#pragma once
#include <cstdint>
#include <vector>

#include "bench/bench_case.h"

// At each size: one search over every field against a plain read of
// datos.dat; one keystroke in the search dialog (the search and the rows it
// then shows); the export of every quote against a plain read and write of
// the same bytes.
void AddSearchCases(std::vector<BenchCase>& cases, const std::vector<int32_t>& sizes);
