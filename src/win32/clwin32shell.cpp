#include "win32/clwin32shell.h"

#include <shellapi.h>

void clWin32Shell::Open(const std::string& path) {
  // No owner window, as the program always opened its results.
  ::ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
