// The logo's copy in the working folder, written and read through the disk
// seam; the picture the user picks is read from wherever it is.
#include "store/logo_file.h"

#include <cstdio>
#include <cstdint>

#include "common/picture_decoder.h"
#include "common/text_file.h"
#include "store/disk.h"

namespace {

// A logo file larger than this is no logo (a photograph's raw size).
constexpr std::int64_t kMostBytes = std::int64_t{64} * 1024 * 1024;

#ifdef _WIN32
std::FILE* OpenOutside(const std::wstring& path) { return _wfopen(path.c_str(), L"rb"); }
#else
// Native builds (the tests) name files in UTF-8.
std::FILE* OpenOutside(const std::wstring& path) {
  std::string bytes;
  for (wchar_t c : path) AppendUtf8(bytes, static_cast<std::uint32_t>(c));
  return std::fopen(bytes.c_str(), "rb");
}
#endif

}  // namespace

std::string LogoFileName(const std::string& bytes) {
  if (bytes.compare(0, 8, "\x89PNG\r\n\x1A\n") == 0) return "logo.png";
  if (bytes.compare(0, 3, "\xFF\xD8\xFF") == 0) return "logo.jpg";
  if (bytes.compare(0, 2, "BM") == 0) return "logo.bmp";
  return std::string();
}

bool ReadOutsideFile(const std::wstring& path, std::string& bytes) {
  std::FILE* file = OpenOutside(path);
  if (!file) return false;
  bytes.clear();
  char buffer[65536];
  std::size_t read = 0;
  while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0 &&
         static_cast<std::int64_t>(bytes.size()) <= kMostBytes) {
    bytes.append(buffer, read);
  }
  bool whole = !std::ferror(file) && static_cast<std::int64_t>(bytes.size()) <= kMostBytes;
  std::fclose(file);
  return whole;
}

bool StoreLogo(const std::string& bytes) {
  std::string name = LogoFileName(bytes);
  if (name.empty()) return false;
  std::string temporary = name + ".tmp";
  return DiskWriteWhole(name.c_str(), temporary.c_str(), bytes.data(), bytes.size());
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
