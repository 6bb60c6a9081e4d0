// File identities through the disk seam, and the program's files found by them.
#include "store/file_identity.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "common/text_file.h"
#include "store/disk.h"
#include "store/file_names.h"
#include "store/store_rules.h"

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

std::wstring Joined(const std::wstring& folder, const std::string& name) {
  std::wstring joined = folder;
  if (joined.empty() || !IsSeparator(joined.back())) joined += DiskSeparator();
  for (char c : name) joined += c == '\\' ? DiskSeparator() : static_cast<wchar_t>(static_cast<unsigned char>(c));
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
  return DiskIdentity(Utf8Text(path).c_str(), identity.volume, identity.file);
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
    if (above.empty() || above.back() == L':') above += DiskSeparator();
    FileIdentity seen;
    if (!IdentityOf(above, seen)) continue;
    if (SameFile(seen, working)) return ProgramFileAt(folder + full.substr(split), folder);
  }
  return std::string();
}
