#include "win32/clwintext.h"

#include "platform/win32/clsystemcodepage.h"
#include "platform/win32/clwindows.h"

std::wstring clWinText::ToWide(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int length = static_cast<int>(utf8.size());
  const int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), size);
  return wide;
}

std::string clWinText::ToAnsi(std::string_view utf8) {
  return clSystemCodePage::FromWide(ToWide(utf8));
}
