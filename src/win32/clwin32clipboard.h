#pragma once

#include "platform/win32/clwindows.h"

#include "output/cloutputseams.h"

// The clipboard as one plain text in the system code page (CF_TEXT), the exact bytes.
class clWin32Clipboard : public clClipboard {
 public:
  void SetWindow(HWND handle) { window = handle; }
  void SetAsText(const std::string& text) override;

 private:
  // Marks the clipboard's text with the system's locale; the clipboard is open.
  static void SetLocale();

  HWND window = nullptr;
};
