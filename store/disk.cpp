// Files through the C runtime's streams, with the few platform calls that a
// crash-safe store needs (sync, truncate, atomic rename).
#include "store/disk.h"

#include <cstdio>
#include <cstring>
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

namespace {
// Records move 1960 bytes at a time; a large buffer keeps that to few calls.
constexpr std::size_t kStreamBuffer = std::size_t{64} * 1024;
}  // namespace

struct DiskFile {
  std::FILE* stream;
  // A file being written has this as its stream's buffer, given rather than
  // left to the runtime: given none, glibc ignores the size asked for and
  // moves 4 KiB per call. A file being read does its own reading ahead here
  // (see DiskRead), its stream unbuffered.
  char buffer[kStreamBuffer];
  bool readAhead;
  std::size_t next, end;  // bytes of the buffer not yet handed out
  std::size_t lastFill;
};

namespace {

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
  DiskFile* file = new DiskFile;
  file->stream = stream;
  file->readAhead = mode == DiskMode::Read;
  file->next = file->end = file->lastFill = 0;
  if (file->readAhead) {
    std::setvbuf(stream, nullptr, _IONBF, 0);
  } else {
    std::setvbuf(stream, file->buffer, _IOFBF, kStreamBuffer);
  }
  return file;
}

namespace {
// Reads ahead into an empty buffer: the first read takes only what is asked
// and each later one twice the last, up to the buffer, so that loading the
// first quote reads one record, not a whole buffer, while a walk over many
// records soon moves in large reads. False at the end or on an error.
bool ReadAhead(DiskFile* file, int64_t wanted) {
  std::size_t want = wanted > static_cast<int64_t>(kStreamBuffer) ? kStreamBuffer
                                                                 : static_cast<std::size_t>(wanted);
  if (want < 2 * file->lastFill) want = 2 * file->lastFill;
  if (want > kStreamBuffer) want = kStreamBuffer;
  file->next = 0;
  file->end = std::fread(file->buffer, 1, want, file->stream);
  file->lastFill = want;
  return file->end > 0;
}
}  // namespace

std::size_t DiskRead(DiskFile* file, void* buffer, std::size_t size) {
  if (Ask(DiskOp::Read) != DiskFault::None) return 0;
  if (!file->readAhead) return std::fread(buffer, 1, size, file->stream);
  unsigned char* out = static_cast<unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    if (file->next == file->end && size - done >= kStreamBuffer) {
      // Nothing is gained from the buffer for a read as large as it.
      std::size_t got = std::fread(out + done, 1, size - done, file->stream);
      file->lastFill = kStreamBuffer;
      done += got;
      break;
    }
    if (file->next == file->end && !ReadAhead(file, static_cast<int64_t>(size - done))) break;
    std::size_t part = file->end - file->next;
    if (part > size - done) part = size - done;
    std::memcpy(out + done, file->buffer + file->next, part);
    file->next += part;
    done += part;
  }
  return done;
}

int64_t DiskPassOver(DiskFile* file, int64_t size) {
  if (Ask(DiskOp::Read) != DiskFault::None) return 0;
  int64_t done = 0;
  while (done < size) {
    std::size_t part;
    if (file->readAhead) {
      if (file->next == file->end && !ReadAhead(file, size - done)) break;
      part = file->end - file->next;
      if (static_cast<int64_t>(part) > size - done) part = static_cast<std::size_t>(size - done);
      file->next += part;
    } else {
      // A file opened for writing keeps its buffer for the stream.
      char scratch[4096];
      std::size_t want = size - done < 4096 ? static_cast<std::size_t>(size - done) : 4096;
      part = std::fread(scratch, 1, want, file->stream);
      if (part == 0) break;
    }
    done += static_cast<int64_t>(part);
  }
  return done;
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

bool DiskFlush(DiskFile* file) {
  if (Ask(DiskOp::Flush) != DiskFault::None) return false;
  return std::fflush(file->stream) == 0;
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
  file->next = file->end = 0;
#ifdef _WIN32
  return _fseeki64(file->stream, offset, SEEK_SET) == 0;
#else
  return fseeko(file->stream, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

int64_t DiskSize(DiskFile* file) {
  if (Ask(DiskOp::Seek) != DiskFault::None) return -1;
  file->next = file->end = 0;
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

bool DiskRenameFolder(const char* from, const char* to) {
  if (Ask(DiskOp::Replace) != DiskFault::None) return false;
#ifdef _WIN32
  // A folder cannot be moved with MOVEFILE_REPLACE_EXISTING; without it the
  // move fails when the new name is taken.
  return MoveFileExA(from, to, MOVEFILE_WRITE_THROUGH) != 0;
#else
  // rename() would put a folder over an empty one of the new name.
  if (DiskExists(to) || std::rename(from, to) != 0) return false;
  SyncFolder();
  return true;
#endif
}

bool DiskRemoveFolder(const char* path) {
#ifdef _WIN32
  return _rmdir(path) == 0;
#else
  return ::rmdir(path) == 0;
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
