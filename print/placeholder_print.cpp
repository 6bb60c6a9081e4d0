// Placeholder until the print job lands.
#include "print/print_job.h"
bool PrintQuote(int32_t, HWND) { return false; }
