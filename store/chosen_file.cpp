// Writing a file by wide path through the disk seam: its name in UTF-8, a
// temporary beside it, synced and renamed over it.
#include "store/chosen_file.h"

#include "common/text_file.h"
#include "store/file_identity.h"
#include "store/full_path.h"
#include "store/store_rules.h"

bool FullPath(const std::wstring& path, std::wstring& full) {
  full = FullPathOf(path);
  return !full.empty();
}

PathRefusal RefusePath(const std::wstring& path) {
  PathRefusal refusal;
  std::wstring full, folder;
  if (!FullPath(path, full) || !FullPath(L".", folder)) {
    refusal.unresolved = true;
    return refusal;
  }
  refusal.programFile = ProgramFileReached(full, folder);
  refusal.device = DeviceAt(full);
  return refusal;
}

BesideFile OpenBeside(const std::wstring& path, DiskCause& cause) {
  BesideFile beside;
  std::string target = Utf8Text(path);
  beside.temporary = target + ".tmp";
  for (int n = 2; DiskExists(beside.temporary.c_str()) && n < 100; ++n) {
    beside.temporary = target + "." + std::to_string(n) + ".tmp";
  }
  // Every name taken: none is written over.
  if (DiskExists(beside.temporary.c_str())) {
    beside.temporariesTaken = true;
    return beside;
  }
  DiskClearFailure();
  beside.file = DiskOpen(beside.temporary.c_str(), DiskMode::Create);
  if (!beside.file) cause = DiskLastFailure().cause;
  return beside;
}

bool PutInPlace(BesideFile& beside, const std::wstring& path, bool written, DiskCause& cause) {
  bool ok = written && DiskSync(beside.file);
  ok = DiskClose(beside.file) && ok;
  beside.file = nullptr;
  ok = ok && DiskReplace(beside.temporary.c_str(), Utf8Text(path).c_str());
  if (ok) return true;
  cause = DiskLastFailure().cause;
  DiskRemove(beside.temporary.c_str());
  return false;
}

bool WriteWholeAt(const std::wstring& path, const std::string& bytes, DiskCause& cause) {
  BesideFile beside = OpenBeside(path, cause);
  if (!beside.file) return false;
  bool written = DiskWrite(beside.file, bytes.data(), bytes.size());
  return PutInPlace(beside, path, written, cause);
}

bool MakeFolderAt(const std::wstring& path, DiskCause& cause) {
  std::string folder = Utf8Text(path);
  if (DiskIsFolder(folder.c_str())) return true;
  DiskClearFailure();
  if (DiskMakeFolder(folder.c_str()) || DiskIsFolder(folder.c_str())) return true;
  cause = DiskLastFailure().cause;
  return false;
}
