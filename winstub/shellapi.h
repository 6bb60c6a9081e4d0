// Native stand-in for <shellapi.h>: CommandLineToArgvW lives in its windows.h.
#pragma once
#include <windows.h>
