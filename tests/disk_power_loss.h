// Test support: a model of a power cut behind the disk seam. From
// DiskPowerModelOn it notes what each file would hold after a power cut:
// only what was synced, under the names that a synced folder holds (a
// rename or a new file is durable once its folder is synced). DiskPowerCut
// lays the working folder down so, and fails every operation after it until
// DiskPowerModelOff.
#pragma once
#include "store/disk.h"

void DiskPowerModelOn();
void DiskPowerCut();
void DiskPowerModelOff();

// True from DiskPowerCut until DiskPowerModelOff.
bool PowerModelCut();
// A change the seam made, noted while the model is on.
void PowerModelTell(DiskChange change, const char* path, const char* to);
