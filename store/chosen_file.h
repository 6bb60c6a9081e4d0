// Files the program writes outside its data files, under names the user
// gives or that hold any letter (the export, the PDFs): by wide path, through
// the disk seam, built beside their place and put there only once whole.
#pragma once
#include <string>

#include "store/disk.h"

// Why a path may not be written: one of the program's own files, itself or
// through its temporary, by name or by identity (see ProgramFileReached), or
// a device (see DeviceAt);
// `unresolved` where the path could not be made whole.
struct PathRefusal {
  bool unresolved = false;
  std::string programFile;
  std::string device;
  bool Refused() const { return unresolved || !programFile.empty() || !device.empty(); }
};
PathRefusal RefusePath(const std::wstring& path);

// A temporary file beside `path` (its name and ".tmp", or the next free
// ".N.tmp", so that a file the user keeps under that name is left alone).
struct BesideFile {
  DiskFile* file = nullptr;
  std::string temporary;  // UTF-8, as the seam takes it
  bool temporariesTaken = false;  // every one of those names is the user's
};
// Null `file`, with the cause where the system gave one, when it cannot be
// made; none is made over a file of the user's.
BesideFile OpenBeside(const std::wstring& path, DiskCause& cause);
// Pushes the temporary's bytes to the disk and renames it over `path`; where
// `written` is false or any step fails, removes it and leaves `path` as it
// was. The cause where the system gave one.
bool PutInPlace(BesideFile& beside, const std::wstring& path, bool written, DiskCause& cause);

// `bytes` as the whole of `path`, through a temporary beside it.
bool WriteWholeAt(const std::wstring& path, const std::string& bytes, DiskCause& cause);

// Makes folder `path` where there is none; true when it is there.
bool MakeFolderAt(const std::wstring& path, DiskCause& cause);

// `path` made whole (see FullPathOf); false when it cannot be.
bool FullPath(const std::wstring& path, std::wstring& full);
