// The floors: the least work each store operation has to do, written with
// plain POSIX calls, to set the store's times against.
#pragma once
#include <cstdint>

// Reads the first `records` records of datos.dat in one pass.
void ReadFloor(int32_t records);

// Reads quote `number` by its place in datos.dat.
void ReadOneFloor(int32_t number);

// Writes one record after the first `records` and syncs it, then rewrites
// config.cfg through a synced temporary, a rename and a sync of the folder.
void AppendFloor(int32_t records);

// Copies datos.dat to trasvase.dat, and again to a temporary that is synced
// and renamed over datos.dat, the folder synced after.
void OverwriteFloor();

// The fifth start-up: config.cfg rewritten as for an append; datos.dat and
// config.cfg copied into a working folder and synced, the folder synced and
// renamed to the day's, the working folder synced after.
void StartupFloor(int32_t records);

// Reads the first `records` records of datos.dat and writes the same bytes
// to a temporary, synced and renamed over the file, as an export writes it.
void ExportFloor(int32_t records);
