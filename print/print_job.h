// The print job: one quote as one page on the printer device LPT1.
#pragma once
#include <cstdint>

#include <windows.h>

// Reads the dialog's five edit controls into CurrentQuote (always), then
// sends the letterhead, the quote sheet under `number` and a form feed to
// LPT1. True when the whole job reached the device.
bool PrintQuote(int32_t number, HWND dialog);
