// What the disk seam and each platform's system calls both speak of: how a
// file is opened, and why an operation failed.
#pragma once

enum class DiskMode {
  Read,    // existing file, from its start; a folder is refused
  Create,  // new or emptied file
  Update,  // existing file, read and written in place, nothing emptied
  Shared,  // existing or new file, read and written by every copy, deleted by none
  Alone,   // existing or new file, read and written, no other open of it
};

// What a try for a byte-range lock met: the lock now held, one that another
// copy holds, a file system without such locks, or another failure.
enum class DiskLock { Taken, Busy, Unsupported, Failed };

// Why an operation failed, as far as the system tells.
// Network: the folder's server could not be reached, or the connection to it
// was lost.
enum class DiskCause { None, DiskFull, NoPermission, InUse, Network, Other };
