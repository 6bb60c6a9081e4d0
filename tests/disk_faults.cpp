// Test support: the one observer the tests install on the disk seam, for
// every test: the planned faults, the power-loss model, the counted waits.
#include "tests/disk_faults.h"

#include <chrono>
#include <thread>

#include "tests/disk_power_loss.h"

namespace {

void Sleep(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

DiskFault Before(DiskOp op, const char* path) {
  DiskFault planned = DiskFault::None;
  if (DiskHook && op != DiskOp::Remove) {
    DiskHookPath = path;
    planned = DiskHook(op);
    DiskHookPath = "";
  }
  // After a cut the power is off: nothing at all goes through.
  return PowerModelCut() ? DiskFault::Error : planned;
}

void Wait(int milliseconds) { DiskWait(milliseconds); }

const DiskObserver kObserver = {Before, PowerModelTell, Wait};

// Installed before any test runs.
const bool kInstalled = (DiskObserve(&kObserver), true);

}  // namespace

DiskFaultHook DiskHook = nullptr;
const char* DiskHookPath = "";
DiskWaitFn DiskWait = Sleep;
