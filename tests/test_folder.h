// Test support: each test runs in an empty folder of its own, since the
// program keeps its files in the working folder.
#pragma once
#include <cstdint>
#include <string>

#include "store/quote_record.h"

class TestFolder {
 public:
  TestFolder();   // makes an empty folder and moves into it
  ~TestFolder();  // moves back and removes it
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

 private:
  std::string previous_;
  std::string path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);

// Bytes of a record as the store writes it: each text, zeros after it.
std::string RecordBytes(const std::string& body, const std::string& name,
                        const std::string& date, const std::string& address,
                        const std::string& total);
// The 8 bytes of config.cfg.
std::string SettingsBytes(int32_t recordCount, int32_t launchCount);
// Sets the five fields of CurrentQuote.
void SetCurrentQuote(const std::string& body, const std::string& name, const std::string& date,
                     const std::string& address, const std::string& total);
