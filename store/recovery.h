// Taking back quotes that config.cfg counts but datos.dat lacks, from
// trasvase.dat.tmp, trasvase.dat and then the dated backups, newest first;
// finishing what a cut correction or settings write left.
#pragma once
#include <cstdint>

#include "store/start_up_report.h"

// Looks for quotes first..last and writes each one found into datos.dat in
// its place, durably, from the newest source that holds it as a quote. Adds
// to `report` what came back from where, and sets its still-missing range,
// and the source that could not be read where that leaves quotes missing.
void RecoverMissingQuotes(int32_t first, int32_t last, StartUpReport& report);

// Finishes a correction cut short where a rename is no atomic replace:
// datos.dat.tmp and trasvase.dat.tmp put in place when they hold the counted
// whole records, each a quote, and datos.dat or trasvase.dat does not (see
// RollsForward), and when they agree with the files beside them; and
// trasvase.dat.tmp left by a correction that stood, over an older
// trasvase.dat. True when datos.dat was replaced.
bool RollForwardCorrection(int32_t count);

// What a correction left that never took place (a copy stopped while it
// built datos.dat.tmp and trasvase.dat.tmp), once datos.dat holds every
// counted quote whole: with the store's lock held, no copy builds them now.
void RemoveUnfinishedCorrection(int32_t count);

// Only config.cfg.tmp left, whole: its rename was cut, and it is put in
// place, so that the count and the launches go on.
void TakeBackSettings();
