// Keeps a second copy of the program away from a working folder that a
// running copy already uses, since the store has no file locking.
#pragma once

// True when this is the only copy running in the working folder; the claim
// lasts until the process ends.
bool ClaimWorkingFolder();
