#pragma once

#include "platform/win32/clwindows.h"

// Sizes on screens of any scale. Every size, font and position of the windows is given
// for 96 DPI and scaled by the DPI of the window's monitor (per-monitor awareness, the
// manifest's); at 96 DPI it stays as given. The functions of newer systems are looked up
// when first needed, so that the program still starts on a system without them.
class clDpi {
 public:
  static constexpr int kDesign = 96;

  // The DPI the window is drawn at; the system's when the window has none of its own.
  static UINT ForWindow(HWND window);
  // `value`, given for 96 DPI, at `dpi`.
  static int Scale(int value, UINT dpi);
  // The window rectangle for a client rectangle, with the frame's metrics at `dpi`.
  static void AdjustWindowRect(RECT& rect, DWORD style, bool menu, DWORD exStyle, UINT dpi);
};
