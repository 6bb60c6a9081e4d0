// What the disk seam and each platform's system calls both speak of: how a
// file is opened, and why an operation failed.
#pragma once

enum class DiskMode {
  Read,    // existing file, from its start; a folder is refused
  Create,  // new or emptied file
  Update,  // existing file, read and written in place, nothing emptied
};

// Why an operation failed, as far as the system tells.
enum class DiskCause { None, DiskFull, NoPermission, InUse, Other };
