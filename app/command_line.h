// The program's command line, split as the system splits it.
#pragma once
#include <string>
#include <vector>

// The arguments after the program's own name.
std::vector<std::wstring> CommandArguments();

// Whether `argument` is the switch `name` ("/exportar"), in any case.
bool IsSwitch(const std::wstring& argument, const wchar_t* name);
