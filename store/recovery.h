// Taking back quotes that config.cfg counts but datos.dat lacks, from
// trasvase.dat and then the dated backups, newest first.
#pragma once
#include <cstdint>

#include "store/start_up_report.h"

// Looks for quotes first..last and writes each one found whole into
// datos.dat in its place, durably. Adds to `report` what came back from
// where, and sets its still-missing range, and the source that could not be
// read where that leaves quotes missing.
void RecoverMissingQuotes(int32_t first, int32_t last, StartUpReport& report);

// Finishes a correction cut short where a rename is no atomic replace:
// datos.dat.tmp and trasvase.dat.tmp put in place when they hold the counted
// whole records and datos.dat or trasvase.dat does not (see RollsForward).
void RollForwardCorrection(int32_t count);
