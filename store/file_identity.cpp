// File identities through the system, and the program's files found by them.
#include "store/file_identity.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include <windows.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "common/text_file.h"
#include "store/disk.h"
#include "store/file_names.h"
#include "store/store_rules.h"

namespace {

#ifdef _WIN32
constexpr wchar_t kSeparator = L'\\';
#else
constexpr wchar_t kSeparator = L'/';
#endif

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

std::wstring Joined(const std::wstring& folder, const std::string& name) {
  std::wstring joined = folder;
  if (joined.empty() || !IsSeparator(joined.back())) joined += kSeparator;
  for (char c : name) joined += c == '\\' ? kSeparator : static_cast<wchar_t>(static_cast<unsigned char>(c));
  return joined;
}

// The program's files and the copies in each backup folder, by their names
// in the working folder.
std::vector<std::string> OwnFilesThere() {
  std::vector<std::string> names(ProgramFileNames().begin(), ProgramFileNames().end());
  std::vector<std::string> folders = BackupFoldersNewestFirst(DiskFolderNames());
  folders.push_back(kBackupWorkFolder);
  for (const std::string& folder : folders) {
    std::transform(BackupCopyNames().begin(), BackupCopyNames().end(), std::back_inserter(names),
                   [&folder](const char* copy) { return folder + "\\" + copy; });
  }
  return names;
}

}  // namespace

bool IdentityOf(const std::wstring& path, FileIdentity& identity) {
#ifdef _WIN32
  // No access asked, so that a file held with no sharing (the lock) is
  // still reached; the backup flag opens folders too.
  const DWORD anyShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  HANDLE handle = CreateFileW(path.c_str(), 0, anyShare, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION information;
  bool read = GetFileInformationByHandle(handle, &information) != 0;
  CloseHandle(handle);
  if (!read) return false;
  identity.volume = information.dwVolumeSerialNumber;
  identity.file = (static_cast<uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
  return true;
#else
  struct stat seen {};
  if (::stat(Utf8Text(path).c_str(), &seen) != 0) return false;
  identity.volume = static_cast<uint64_t>(seen.st_dev);
  identity.file = static_cast<uint64_t>(seen.st_ino);
  return true;
#endif
}

bool SameFile(const FileIdentity& one, const FileIdentity& other) {
  return one.volume == other.volume && one.file == other.file;
}

std::string ProgramFileReached(const std::wstring& full, const std::wstring& folder) {
  std::string named = ProgramFileAt(full, folder);
  if (!named.empty()) return named;
  FileIdentity working;
  if (!IdentityOf(folder, working)) return std::string();
  for (const wchar_t* tail : {L"", L".tmp"}) {
    FileIdentity target;
    if (!IdentityOf(full + tail, target)) continue;
    for (const std::string& own : OwnFilesThere()) {
      FileIdentity file;
      if (IdentityOf(Joined(folder, own), file) && SameFile(file, target)) return own;
    }
  }
  // The folders above, nearest first; a drive's root keeps its separator,
  // since "C:" alone is the current folder of that drive.
  for (std::size_t split = full.size(); split > 0;) {
    --split;
    if (!IsSeparator(full[split])) continue;
    std::wstring above = full.substr(0, split);
    if (above.empty() || above.back() == L':') above += kSeparator;
    FileIdentity seen;
    if (!IdentityOf(above, seen)) continue;
    if (SameFile(seen, working)) return ProgramFileAt(folder + full.substr(split), folder);
  }
  return std::string();
}
