// Test support: scratch folders and hand-built file contents.
#include "tests/test_folder.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <unistd.h>

#include "store/folder_lock.h"

TestFolder::TestFolder() {
  char here[4096];
  if (!getcwd(here, sizeof here)) throw std::runtime_error("getcwd");
  previous_ = here;
  char pattern[] = "/tmp/presupuestos-test-XXXXXX";
  if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp");
  path_ = pattern;
  if (chdir(path_.c_str()) != 0) throw std::runtime_error("chdir");
}

TestFolder::~TestFolder() {
  LeaveWorkingFolder();
  if (chdir(previous_.c_str()) != 0) return;
  std::string command = "chmod -R u+rwx '" + path_ + "' && rm -rf '" + path_ + "'";
  if (std::system(command.c_str()) != 0) return;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

namespace {
std::string Field(const std::string& text, size_t width) {
  std::string field = text;
  field.resize(width, '\0');
  return field;
}
}  // namespace

std::string RecordBytes(const std::string& body, const std::string& name,
                        const std::string& date, const std::string& address,
                        const std::string& total) {
  return Field(body, 1800) + Field(name, 40) + Field(date, 40) + Field(address, 40) +
         Field(total, 40);
}

std::string SettingsBytes(int32_t recordCount, int32_t launchCount) {
  std::string bytes(8, '\0');
  for (int i = 0; i < 4; ++i) {
    bytes[i] = static_cast<char>(static_cast<uint32_t>(recordCount) >> (8 * i));
    bytes[4 + i] = static_cast<char>(static_cast<uint32_t>(launchCount) >> (8 * i));
  }
  return bytes;
}

void SetCurrentQuote(const std::string& body, const std::string& name, const std::string& date,
                     const std::string& address, const std::string& total) {
  ClearQuote(CurrentQuote);
  std::strncpy(CurrentQuote.body, body.c_str(), sizeof CurrentQuote.body - 1);
  std::strncpy(CurrentQuote.name, name.c_str(), sizeof CurrentQuote.name - 1);
  std::strncpy(CurrentQuote.date, date.c_str(), sizeof CurrentQuote.date - 1);
  std::strncpy(CurrentQuote.address, address.c_str(), sizeof CurrentQuote.address - 1);
  std::strncpy(CurrentQuote.total, total.c_str(), sizeof CurrentQuote.total - 1);
}
