// The logo's copy in the working folder, written and read through the disk
// seam; the picture the user picks is read from wherever it is.
#include "store/logo_file.h"

#include <cstdint>

#include "common/picture_decoder.h"
#include "common/text_file.h"
#include "store/disk.h"
#include "store/folder_lock.h"

namespace {

// A logo file larger than this is no logo (a photograph's raw size).
constexpr std::int64_t kMostBytes = std::int64_t{64} * 1024 * 1024;

}  // namespace

std::string LogoFileName(const std::string& bytes) {
  if (bytes.compare(0, 8, "\x89PNG\r\n\x1A\n") == 0) return "logo.png";
  if (bytes.compare(0, 3, "\xFF\xD8\xFF") == 0) return "logo.jpg";
  if (bytes.compare(0, 2, "BM") == 0) return "logo.bmp";
  return std::string();
}

bool ReadOutsideFile(const std::wstring& path, std::string& bytes) {
  DiskFile* file = DiskOpen(Utf8Text(path).c_str(), DiskMode::Read);
  if (!file) return false;
  int64_t size = DiskSize(file);
  bool whole = size >= 0 && size <= kMostBytes;
  if (whole) {
    bytes.assign(static_cast<std::size_t>(size), '\0');
    whole = DiskRead(file, &bytes[0], bytes.size()) == bytes.size();
  }
  DiskClose(file);
  return whole;
}

bool StoreLogo(const std::string& bytes) {
  std::string name = LogoFileName(bytes);
  if (name.empty()) return false;
  // Another copy storing its logo builds the same temporary.
  StoreLock lock;
  std::string temporary = name + ".tmp";
  return lock.Taken() && DiskWriteWhole(name.c_str(), temporary.c_str(), bytes.data(), bytes.size());
}

bool ReadLogo(const std::string& name, Picture& picture) {
  DiskFile* file = name.empty() ? nullptr : DiskOpen(name.c_str(), DiskMode::Read);
  if (!file) return false;
  std::int64_t size = DiskSize(file);
  std::string bytes;
  bool read = size > 0 && size <= kMostBytes;
  if (read) {
    bytes.assign(static_cast<std::size_t>(size), '\0');
    read = DiskRead(file, bytes.data(), bytes.size()) == bytes.size();
  }
  DiskClose(file);
  Picture decoded;
  if (!read || !DecodePicture(bytes, decoded)) return false;
  picture = ShrunkToFit(decoded, kLogoMostWide, kLogoMostHigh);
  return true;
}
