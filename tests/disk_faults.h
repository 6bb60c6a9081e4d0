// Test support: the faults a test plans for the disk seam's operations, and
// the wait between retries, through the observer that the tests install.
#pragma once
#include "store/disk.h"
#include "tests/disk_faults.h"

// Asked before every operation but a removal (a removal is how a failed
// step cleans up); null when no test plans a fault.
using DiskFaultHook = DiskFault (*)(DiskOp op);
extern DiskFaultHook DiskHook;
// The file or folder of the operation DiskHook is being asked about, for a
// hook that fails one file's operations only.
extern const char* DiskHookPath;

// The wait between retries: the system's sleep unless a test counts it.
using DiskWaitFn = void (*)(int milliseconds);
extern DiskWaitFn DiskWait;
