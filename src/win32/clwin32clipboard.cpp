#include "win32/clwin32clipboard.h"

#include <chrono>
#include <cstring>
#include <stdexcept>

namespace {

// Another program may hold the clipboard for a moment (a clipboard manager reading what
// was just set): it is asked again for this long before the output counts as failed.
constexpr auto kRetryFor = std::chrono::milliseconds(400);
constexpr DWORD kRetryEveryMs = 20;

}  // namespace

void clWin32Clipboard::SetLocale() {
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(LCID));
  auto* locale = memory != nullptr ? static_cast<LCID*>(::GlobalLock(memory)) : nullptr;
  if (locale == nullptr) {
    if (memory != nullptr) ::GlobalFree(memory);
    return;
  }
  *locale = ::GetSystemDefaultLCID();
  ::GlobalUnlock(memory);
  if (::SetClipboardData(CF_LOCALE, memory) == nullptr) ::GlobalFree(memory);
}

void clWin32Clipboard::SetAsText(const std::string& text) {
  const auto giveUp = std::chrono::steady_clock::now() + kRetryFor;
  while (!::OpenClipboard(window)) {
    if (std::chrono::steady_clock::now() >= giveUp) {
      throw std::runtime_error("クリップボードを開けません");
    }
    ::Sleep(kRetryEveryMs);
  }
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  void* bytes = memory != nullptr ? ::GlobalLock(memory) : nullptr;
  if (bytes == nullptr) {
    if (memory != nullptr) ::GlobalFree(memory);
    ::CloseClipboard();
    throw std::runtime_error("クリップボードのメモリを確保できません");
  }
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  ::GlobalUnlock(memory);
  const bool set = ::EmptyClipboard() && ::SetClipboardData(CF_TEXT, memory) != nullptr;
  if (!set) ::GlobalFree(memory);  // the clipboard owns it only once it is set
  // The text's locale, so that programs reading Unicode get it through the code page it
  // was written in, whatever keyboard layout is active.
  if (set) SetLocale();
  ::CloseClipboard();
  if (!set) throw std::runtime_error("クリップボードに書き込めません");
}
