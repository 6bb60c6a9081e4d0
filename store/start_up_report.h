// What start-up has to tell the user: the quotes it took back and from
// where, those still missing, and what could not be written.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "store/disk.h"

// Quotes first..last taken back into datos.dat from `source`: trasvase.dat,
// or the name of a dated backup folder.
struct QuotesTakenBack {
  int32_t first;
  int32_t last;
  // trasvase.dat.tmp, trasvase.dat, a backup folder, or datos.dat (a cut
  // quote completed)
  std::string source;
};

struct StartUpReport {
  // Neither config.cfg nor what its write leaves was there: the program has
  // never run in this folder.
  bool firstStart = false;
  // A folder stands where datos.dat or config.cfg should be: its name.
  std::string folderInPlace;
  // datos.dat was put in place from datos.dat.tmp, finishing a correction
  // cut short; its `count` quotes came from there.
  bool correctionFinished = false;
  std::vector<QuotesTakenBack> recovered;
  // Quotes still counted but not in datos.dat; none when first > last.
  int32_t firstMissing = 1;
  int32_t lastMissing = 0;
  // Where quotes are still missing because a source that may hold them could
  // not be read (another program holds it, access denied), or what it holds
  // could not be copied into datos.dat: that source, named as in
  // `recovered`, and the failure. Their numbers must not be given again.
  std::string unreadSource;
  DiskFailure unreadFailure;
  // Nothing can be written in the working folder: no launch counted, no
  // backup tried.
  bool folderReadOnly = false;
  // config.cfg could not be written for another reason (a read-only
  // config.cfg, a full disk): no launch counted, and why.
  bool settingsUnwritten = false;
  DiskFailure settingsFailure;
  // A backup was due and could not be made, and why.
  bool backupFailed = false;
  DiskFailure backupFailure;
};
