#pragma once

#include "platform/win32/clwindows.h"

#include "output/cloutputseams.h"

// Opens a file or folder with its associated application: ShellExecuteA "open". A
// failed open is silent.
class clWin32Shell : public clShell {
 public:
  void SetWindow(HWND handle) { window = handle; }
  void Open(const std::string& path) override;

 private:
  HWND window = nullptr;
};
