// How a print job ended, as the print job and its spooler path tell it.
#pragma once

enum class PrintResult {
  Printed,        // on LPT1, or handed whole to the spooler
  Cancelled,      // the print dialog, or a printer's own prompt, was cancelled
  NoPrinter,      // no LPT1 to take it, and the system has no printer either
  DeviceFailed,   // LPT1 opened but did not take the whole job
  SpoolerFailed,  // the chosen printer's job did not go through
};
