#include "win32/clwin32clipboard.h"

#include <cstring>
#include <stdexcept>

void clWin32Clipboard::SetAsText(const std::string& text) {
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (memory == nullptr) throw std::runtime_error("クリップボードのメモリを確保できません");
  void* bytes = ::GlobalLock(memory);
  std::memcpy(bytes, text.c_str(), text.size() + 1);
  ::GlobalUnlock(memory);
  if (!::OpenClipboard(window)) {
    ::GlobalFree(memory);
    throw std::runtime_error("クリップボードを開けません");
  }
  ::EmptyClipboard();
  if (::SetClipboardData(CF_TEXT, memory) == nullptr) ::GlobalFree(memory);
  ::CloseClipboard();
}
