// The disk seam's power-loss model, inside the seam: what it is told of each
// change to the files, and whether the power has been cut.
#pragma once
#include <string>

// True from DiskPowerCut until DiskPowerModelOff: every operation fails.
bool PowerModelCut();

// A file made new or emptied, a file synced, a rename, a folder made, a
// name removed, a folder's names synced. Nothing while the model is off.
void PowerModelNoteFile(const std::string& path);
void PowerModelNoteSync(const std::string& path);
void PowerModelNoteRename(const std::string& from, const std::string& to);
void PowerModelNoteFolder(const std::string& path);
void PowerModelNoteRemove(const std::string& path);
void PowerModelNoteFolderSync(const std::string& path);
