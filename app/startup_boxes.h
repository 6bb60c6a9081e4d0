// What start-up tells the user or asks, in Spanish message boxes: the lock
// file, quotes taken back or still missing, a backup not made, a folder
// where nothing can be written.
#pragma once
#include <windows.h>

#include <string>

#include "store/disk.h"
#include "store/start_up.h"

// presupuestos.lck is there but cannot be opened; the program does not start.
void TellLockUnusable();

// One box: a cut correction finished, and which quotes came back from
// which file or backup.
void TellRecovered(const StartUpReport& report);

// Quotes are still missing: true when the user chooses to number new quotes
// after the last one stored; false to change nothing for now.
bool AskToNumberAfterStored(const StartUpReport& report);
void TellNumberingNotChanged(const DiskFailure& failure);
// Quotes are still missing and a source that may hold them could not be
// read: the file, the cause, and what to do; nothing is asked.
void TellSourceUnread(const StartUpReport& report);

// Told once the main window is open, over it.
void TellBackupFailed(HWND window, const DiskFailure& failure);
void TellFolderReadOnly(HWND window);
// The folder's file system has no byte-range locks: one PC at a time.
void TellFolderAlone(HWND window);

// config.cfg could not be written for another reason than a folder that
// takes no file (a read-only config.cfg, a full disk), and why.
void TellSettingsUnwritten(HWND window, const DiskFailure& failure);

// A folder stands where datos.dat or config.cfg should be.
void TellFolderInPlace(const std::string& name);
