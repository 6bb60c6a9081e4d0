// Copying whole records (or any fixed units) from one open file to another,
// many at a time.
#pragma once
#include <cstddef>
#include <cstdint>

#include "store/disk.h"

// Reads `units` units of `unit` bytes from `from` where it stands and writes
// them to `to` where it stands; false at the first short read or failed
// write.
bool CopyUnits(DiskFile* from, DiskFile* to, int64_t units, std::size_t unit);
