#include "win32/cldpi.h"

namespace {

template <typename Function>
Function SystemFunction(const char* name) {
  const HMODULE user32 = ::GetModuleHandleA("user32.dll");
  if (user32 == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name)));
}

}  // namespace

UINT clDpi::ForWindow(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = SystemFunction<GetDpiForWindowFunction>("GetDpiForWindow");
  if (getDpiForWindow != nullptr && window != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return dpi;
  }
  const HDC screen = ::GetDC(nullptr);
  const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : kDesign;
  if (screen != nullptr) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : kDesign;
}

int clDpi::Scale(int value, UINT dpi) { return ::MulDiv(value, static_cast<int>(dpi), kDesign); }

void clDpi::AdjustWindowRect(RECT& rect, DWORD style, bool menu, DWORD exStyle, UINT dpi) {
  using AdjustForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = SystemFunction<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
  if (adjustForDpi != nullptr && adjustForDpi(&rect, style, menu, exStyle, dpi)) return;
  ::AdjustWindowRectEx(&rect, style, menu, exStyle);
}
