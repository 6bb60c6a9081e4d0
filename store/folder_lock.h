// The working folder shared by every copy of the program, on this PC or on
// others reaching it over the network: presupuestos.lck, with a byte-range
// lock on it for the moment of each change to the stored files.
#pragma once

// How this copy may use the working folder.
enum class FolderShare {
  Shared,         // with any other copy: each change takes the lock
  Alone,          // the file system has no byte-range locks: this copy holds
                  // presupuestos.lck with no sharing, and no other copy starts
  Unguarded,      // a read-only folder: no lock file there, none can be made,
                  // or one this PC may not write beside quotes it may not change
  HeldByAnother,  // a copy holds presupuestos.lck with no sharing
  Unusable,       // presupuestos.lck is there and cannot be opened (a folder,
                  // no permission): two copies could change the files at once
};

// At start-up: opens presupuestos.lck (made where missing) for the life of
// the process, shared with every other copy, and tries the lock on it.
// Where the file system refuses byte-range locks, opens it with no sharing
// instead, as Alone. Later changes lock as the answer says.
FolderShare JoinWorkingFolder();

// Closes presupuestos.lck and forgets the answer, for a process that goes
// on in another folder (the tests); the program's copy holds it to its end.
void LeaveWorkingFolder();

// How long a change waits for another copy's change before it gives up.
constexpr int kLockWaitMs = 5000;

// The lock for one change (a save, a correction, start-up's repairs, the
// backup, empresa.ini written), taken on construction and let go of on
// destruction; nothing else is done while it is held, least of all waiting
// for the user. Taken waits up to kLockWaitMs while another copy holds it,
// trying again every kRetryStepMs; false then, kept as a failure
// (DiskLastFailure) of presupuestos.lck in use. A folder without the lock
// (Alone, Unguarded, or a lock file that cannot be made in a read-only
// folder) is taken at once: no other copy changes its files meanwhile. A
// lock file that this copy joined holding and that can no longer be opened
// (deleted while held) is never taken. Never taken while another StoreLock
// of this process is held: each opens presupuestos.lck anew, and two opens
// exclude each other as two copies do, so the inner one would wait in vain.
class StoreLock {
 public:
  StoreLock();
  ~StoreLock();
  StoreLock(const StoreLock&) = delete;
  StoreLock& operator=(const StoreLock&) = delete;
  bool Taken() const { return taken_; }

 private:
  struct DiskFile* file_ = nullptr;
  bool locked_ = false;
  bool taken_ = false;
};
