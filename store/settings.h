// The settings file config.cfg: the quote count and the launch count, 8
// bytes, always rewritten whole.
#pragma once
#include <cstdint>

#include "store/store_rules.h"

// The stored words, and whether config.cfg is there, was read whole and
// holds the count (4 bytes); words the file does not hold read as 0, and
// both are 0 when it could not be read.
SettingsSeen SeeSettings();

// Rewrites config.cfg in one atomic, durable step; false if it is unchanged.
bool WriteSettings(int32_t recordCount, int32_t launchCount);
