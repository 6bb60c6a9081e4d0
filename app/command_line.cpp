// The command line through CommandLineToArgvW, so that a quoted path with
// spaces is one argument, as scripts and scheduled tasks give it.
#include "app/command_line.h"

#include <windows.h>
#include <shellapi.h>

std::vector<std::wstring> CommandArguments() {
  std::vector<std::wstring> found;
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments) return found;
  for (int i = 1; i < count; ++i) found.emplace_back(arguments[i]);
  LocalFree(reinterpret_cast<HLOCAL>(arguments));
  return found;
}

bool IsSwitch(const std::wstring& argument, const wchar_t* name) {
  std::size_t i = 0;
  for (; name[i] != L'\0'; ++i) {
    if (i >= argument.size()) return false;
    wchar_t c = argument[i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
    if (c != name[i]) return false;
  }
  return i == argument.size();
}
