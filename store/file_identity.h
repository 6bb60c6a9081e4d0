// Which file or folder a path reaches, the same however it is reached: a
// link, another drive letter or share, a short name.
#pragma once
#include <cstdint>
#include <string>

struct FileIdentity {
  uint64_t volume = 0;
  uint64_t file = 0;
};

// The volume serial number and file index on Windows (as the lock file's
// identity is read), the device and inode natively. False when `path`
// cannot be reached.
bool IdentityOf(const std::wstring& path, FileIdentity& identity);

bool SameFile(const FileIdentity& one, const FileIdentity& other);

// The program's own file that `full` reaches by another path than its name
// in the working folder `folder` (both full paths): the file itself or its
// temporary (`full` and ".tmp") where either is there and is one of them
// (a hard link), or, where a folder above it is the working folder or a
// backup folder reached another way, the file named from there (see
// ProgramFileAt). The name to tell; empty for none.
std::string ProgramFileReached(const std::wstring& full, const std::wstring& folder);
