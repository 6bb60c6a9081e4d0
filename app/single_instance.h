// Who else uses the working folder: copies on other PCs share it; a second
// copy on this PC brings the first forward instead.
#pragma once

enum class FolderClaim {
  Held,           // this copy shares presupuestos.lck with the other copies
  Alone,          // the folder has no byte-range locks: this copy holds it alone
  Unguarded,      // a read-only folder, or one this PC may only read (see FolderShare)
  HeldByAnother,  // a copy on this PC uses the folder, or one holds it alone
  LockUnusable,   // presupuestos.lck is there but cannot be opened (a folder, no permission)
};

// Joins the working folder (see JoinWorkingFolder): every copy on another PC
// goes on at once. On this PC a second copy on the same folder, however it
// is reached, is HeldByAnother: a named object of the session carries the
// folder's identity while a copy runs.
FolderClaim ClaimWorkingFolder();
