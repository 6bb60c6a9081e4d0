// Test support: a power cut as the file system allows it. A file keeps only
// the bytes last synced, and a name made, renamed or removed in a folder
// holds only once that folder is synced.
#include "tests/disk_power_loss.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A name in a folder: a file or a folder, known by an id that stays with it
// across renames, as an inode does.
struct Entry {
  bool folder;
  int id;
};
using Names = std::map<std::string, Entry>;

bool On = false;
bool Cut = false;
int NextId = 1;
// The names in each folder (the working folder is 0): as they are now, and
// as the disk holds them.
std::map<int, Names> Live;
std::map<int, Names> Durable;
// Each file's bytes as last synced.
std::map<int, std::string> Synced;

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> Parts(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path + "/") {
    if (c != '/') {
      part += c;
      continue;
    }
    if (!part.empty() && part != ".") parts.push_back(part);
    part.clear();
  }
  return parts;
}

// The folder that holds `path` and its last name there; false when a folder
// on the way is not known.
bool Locate(const std::string& path, int* folder, std::string* name) {
  std::vector<std::string> parts = Parts(path);
  if (parts.empty()) return false;
  int at = 0;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    auto found = Live[at].find(parts[i]);
    if (found == Live[at].end() || !found->second.folder) return false;
    at = found->second.id;
  }
  *folder = at;
  *name = parts.back();
  return true;
}

const Entry* Find(const std::string& path) {
  int folder = 0;
  std::string name;
  if (!Locate(path, &folder, &name)) return nullptr;
  auto found = Live[folder].find(name);
  return found == Live[folder].end() ? nullptr : &found->second;
}

void Snapshot(const fs::path& real, int id) {
  Live[id];
  for (const fs::directory_entry& item : fs::directory_iterator(real)) {
    Entry entry{item.is_directory(), NextId++};
    Live[id][item.path().filename().string()] = entry;
    if (entry.folder) {
      Snapshot(item.path(), entry.id);
    } else {
      Synced[entry.id] = ReadAll(item.path().string());
    }
  }
}

void LayDown(const fs::path& real, int id) {
  for (const auto& [name, entry] : Durable[id]) {
    fs::path path = real / name;
    if (entry.folder) {
      fs::create_directory(path);
      LayDown(path, entry.id);
    } else {
      WriteAll(path.string(), Synced[entry.id]);
    }
  }
}

void NoteFile(const std::string& path) {
  int folder = 0;
  std::string name;
  if (!On || Find(path) || !Locate(path, &folder, &name)) return;
  // A new file: nothing of it is on the disk before its first sync.
  Entry entry{false, NextId++};
  Synced[entry.id] = "";
  Live[folder][name] = entry;
}

void NoteSync(const std::string& path) {
  const Entry* entry = On ? Find(path) : nullptr;
  if (entry) Synced[entry->id] = ReadAll(path);
}

void NoteRename(const std::string& from, const std::string& to) {
  int fromFolder = 0, toFolder = 0;
  std::string fromName, toName;
  if (!On || !Locate(from, &fromFolder, &fromName) || !Locate(to, &toFolder, &toName)) return;
  auto found = Live[fromFolder].find(fromName);
  if (found == Live[fromFolder].end()) return;
  Entry entry = found->second;
  Live[fromFolder].erase(found);
  Live[toFolder][toName] = entry;
}

void NoteFolder(const std::string& path) {
  int folder = 0;
  std::string name;
  if (!On || !Locate(path, &folder, &name)) return;
  Entry entry{true, NextId++};
  Live[entry.id];
  Live[folder][name] = entry;
}

void NoteRemove(const std::string& path) {
  int folder = 0;
  std::string name;
  if (On && Locate(path, &folder, &name)) Live[folder].erase(name);
}

void NoteFolderSync(const std::string& path) {
  if (!On) return;
  const Entry* entry = Find(path);
  int id = Parts(path).empty() ? 0 : entry && entry->folder ? entry->id : -1;
  if (id >= 0) Durable[id] = Live[id];
}

}  // namespace

void DiskPowerModelOn() {
  Live.clear();
  Durable.clear();
  Synced.clear();
  NextId = 1;
  Snapshot(".", 0);
  Durable = Live;
  On = true;
  Cut = false;
}

void DiskPowerCut() {
  if (!On || Cut) return;
  for (const fs::directory_entry& item : fs::directory_iterator(".")) fs::remove_all(item.path());
  LayDown(".", 0);
  Cut = true;
}

void DiskPowerModelOff() {
  On = false;
  Cut = false;
}

bool PowerModelCut() { return Cut; }

void PowerModelTell(DiskChange change, const char* path, const char* to) {
  if (!On) return;
  switch (change) {
    case DiskChange::Created:
      NoteFile(path);
      break;
    case DiskChange::Synced:
      NoteSync(path);
      break;
    case DiskChange::Renamed:
      NoteRename(path, to);
      break;
    case DiskChange::FolderMade:
      NoteFolder(path);
      break;
    case DiskChange::Removed:
      NoteRemove(path);
      break;
    case DiskChange::FolderSynced:
      NoteFolderSync(path);
      break;
  }
}
