// A second copy started on a folder that a running copy holds brings that
// copy's window to the front before it ends.
#pragma once
#include <windows.h>

// Marks the running copy's main window with the identity of its working
// folder (volume and file number: the same however the folder is reached),
// so that a later copy on this PC can tell it from copies running on other
// folders.
void MarkWindowWithFolder(HWND window);

// Brings to the front the main window marked with this working folder,
// restored if it was minimised, or the dialog open over it. Nothing where
// the running copy is on another PC.
void BringRunningCopyForward();
