// Keeps a second copy of the program away from a working folder that a
// running copy already uses, by a lock file the system guards.
#pragma once

enum class FolderClaim {
  Held,           // this copy holds presupuestos.lck
  Unguarded,      // a read-only folder: no lock file can be made there
  HeldByAnother,  // another copy holds it
  LockUnusable,   // presupuestos.lck is there but cannot be opened (a folder, no permission)
};

// Held when this copy now holds presupuestos.lck in the working folder, open
// with no sharing until the process ends, so that the system (or the file
// server, for a shared folder) refuses any other open of it, from any path
// or machine, and lets go of it however the process ends; the empty file
// stays behind. A folder in which the lock file is missing and cannot be
// made (a read-only folder or medium, which takes no other file either) is
// Unguarded: the copy runs without the lock, to read and print the quotes
// there. A lock file that is there and cannot be opened would let two
// copies in: LockUnusable, and the program does not start.
FolderClaim ClaimWorkingFolder();
