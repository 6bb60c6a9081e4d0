/* The end-to-end tests' stand-in for a copy on another PC that is saving:
 * opens presupuestos.lck in the working folder shared, as every copy does,
 * takes the byte-range lock on byte 0, says "held" on its output and keeps
 * it for the seconds given.
 *   hold_lock.exe SECONDS
 * Exit code 0 once it has held the lock that long, 1 when it could not. */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

int main(int argc, char** argv) {
  if (argc != 2) return 1;
  HANDLE lock = CreateFileA("presupuestos.lck", GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  OVERLAPPED at = {0};
  if (lock == INVALID_HANDLE_VALUE ||
      !LockFileEx(lock, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
    fprintf(stderr, "no lock: error %lu\n", GetLastError());
    return 1;
  }
  printf("held\n");
  fflush(stdout);
  Sleep((DWORD)atoi(argv[1]) * 1000);
  UnlockFileEx(lock, 0, 1, 0, &at);
  CloseHandle(lock);
  return 0;
}
