#include "win32/clwin32shell.h"

#include <shellapi.h>

void clWin32Shell::Open(const std::string& path) {
  ::ShellExecuteA(window, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
