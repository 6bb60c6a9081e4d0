// Test support: a fixture for the store's tests, in a scratch folder of its
// own, dated 6/12/2026, with no disk fault left behind for the next test.
#pragma once
#include <gtest/gtest.h>

#include "common/number_text.h"
#include "store/disk.h"
#include "tests/disk_faults.h"
#include "tests/test_folder.h"

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override { TodayText = "6/12/2026"; }
  void TearDown() override { DiskHook = nullptr; }
  TestFolder folder;
};
