// Files through the C runtime's streams, with the few platform calls that a
// crash-safe store needs (sync, truncate, atomic rename).
#include "store/disk.h"

#include <cstdio>
#include <string>
#include <sys/stat.h>

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

DiskFaultHook DiskHook = nullptr;

struct DiskFile {
  std::FILE* stream;
};

namespace {

// Records move 1960 bytes at a time; a large buffer keeps that to few calls.
constexpr std::size_t kStreamBuffer = std::size_t{64} * 1024;

DiskFault Ask(DiskOp op) { return DiskHook ? DiskHook(op) : DiskFault::None; }

#ifndef _WIN32
// Makes a rename in the working folder itself durable.
void SyncFolder() {
  int folder = ::open(".", O_RDONLY);
  if (folder < 0) return;
  ::fsync(folder);
  ::close(folder);
}
#endif

}  // namespace

DiskFile* DiskOpen(const char* path, DiskMode mode) {
  if (Ask(DiskOp::Open) != DiskFault::None) return nullptr;
  const char* modes[] = {"rb", "wb", "r+b"};
  std::FILE* stream = std::fopen(path, modes[static_cast<int>(mode)]);
  if (!stream) return nullptr;
  std::setvbuf(stream, nullptr, _IOFBF, kStreamBuffer);
  return new DiskFile{stream};
}

std::size_t DiskRead(DiskFile* file, void* buffer, std::size_t size) {
  if (Ask(DiskOp::Read) != DiskFault::None) return 0;
  return std::fread(buffer, 1, size, file->stream);
}

bool DiskWrite(DiskFile* file, const void* data, std::size_t size) {
  switch (Ask(DiskOp::Write)) {
    case DiskFault::Error:
      return false;
    case DiskFault::ShortWrite:
      std::fwrite(data, 1, size / 2, file->stream);
      std::fflush(file->stream);
      return false;
    case DiskFault::None:
      break;
  }
  return std::fwrite(data, 1, size, file->stream) == size;
}

bool DiskSync(DiskFile* file) {
  if (Ask(DiskOp::Sync) != DiskFault::None) return false;
  if (std::fflush(file->stream) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(file->stream)) == 0;
#else
  return ::fsync(fileno(file->stream)) == 0;
#endif
}

bool DiskClose(DiskFile* file) {
  bool refused = Ask(DiskOp::Close) != DiskFault::None;
  bool closed = std::fclose(file->stream) == 0;
  delete file;
  return closed && !refused;
}

bool DiskSeek(DiskFile* file, int64_t offset) {
  if (Ask(DiskOp::Seek) != DiskFault::None) return false;
#ifdef _WIN32
  return _fseeki64(file->stream, offset, SEEK_SET) == 0;
#else
  return fseeko(file->stream, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

int64_t DiskSize(DiskFile* file) {
  if (Ask(DiskOp::Seek) != DiskFault::None) return -1;
#ifdef _WIN32
  if (_fseeki64(file->stream, 0, SEEK_END) != 0) return -1;
  int64_t size = _ftelli64(file->stream);
#else
  if (fseeko(file->stream, 0, SEEK_END) != 0) return -1;
  int64_t size = ftello(file->stream);
#endif
  std::rewind(file->stream);
  return size;
}

bool DiskTruncate(DiskFile* file, int64_t size) {
  if (Ask(DiskOp::Truncate) != DiskFault::None) return false;
  if (std::fflush(file->stream) != 0) return false;
#ifdef _WIN32
  return _chsize_s(_fileno(file->stream), size) == 0;
#else
  return ::ftruncate(fileno(file->stream), static_cast<off_t>(size)) == 0;
#endif
}

bool DiskReplace(const char* from, const char* to) {
  if (Ask(DiskOp::Replace) != DiskFault::None) return false;
#ifdef _WIN32
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  if (std::rename(from, to) != 0) return false;
  SyncFolder();
  return true;
#endif
}

bool DiskMakeFolder(const char* path) {
  if (Ask(DiskOp::MakeFolder) != DiskFault::None) return false;
#ifdef _WIN32
  return _mkdir(path) == 0;
#else
  return ::mkdir(path, 0777) == 0;
#endif
}

bool DiskExists(const char* path) {
  struct stat info;
  return ::stat(path, &info) == 0;
}

bool DiskWriteWhole(const char* path, const void* data, std::size_t size) {
  std::string temporary = std::string(path) + ".tmp";
  DiskFile* file = DiskOpen(temporary.c_str(), DiskMode::Create);
  if (!file) return false;
  bool written = DiskWrite(file, data, size) && DiskSync(file);
  bool closed = DiskClose(file);
  if (!written || !closed) {
    std::remove(temporary.c_str());
    return false;
  }
  return DiskReplace(temporary.c_str(), path);
}
