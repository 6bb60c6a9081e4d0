// Keeps a second copy of the program away from a working folder that a
// running copy already uses, by a lock file the system guards.
#pragma once

// True when this copy now holds presupuestos.lck in the working folder, open
// with no sharing until the process ends, so that the system (or the file
// server, for a shared folder) refuses any other open of it, from any path
// or machine, and lets go of it however the process ends; the empty file
// stays behind. False when another copy holds it. A folder in which the
// lock file can be neither made nor opened (a read-only folder or medium,
// which takes no other file either) is not refused: the copy runs without
// the lock, to read and print the quotes there.
bool ClaimWorkingFolder();
