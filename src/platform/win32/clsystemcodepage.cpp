#include "platform/win32/clsystemcodepage.h"

#include "platform/win32/clwindows.h"

#include <vector>

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// A path that names its parts plainly: drive or share, no "." or ".." part.
bool IsPlainAbsolute(const std::wstring& path) {
  const bool drive = path.size() >= 3 && path[1] == L':' && IsSeparator(path[2]);
  const bool share = path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
  if (!drive && !share) return false;
  std::size_t start = 0;
  for (std::size_t at = 0; at <= path.size(); ++at) {
    if (at < path.size() && !IsSeparator(path[at])) continue;
    const std::wstring_view part(path.data() + start, at - start);
    if (part == L"." || part == L"..") return false;
    start = at + 1;
  }
  return true;
}

}  // namespace

std::string clSystemCodePage::FromWide(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int length = static_cast<int>(wide.size());
  const int size =
      ::WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, wide.data(), length, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::wstring clSystemCodePage::ToWide(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int length = static_cast<int>(bytes.size());
  const int size = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, wide.data(), size);
  return wide;
}

std::string clSystemCodePage::ToUtf8(std::string_view bytes) {
  const std::wstring wide = ToWide(bytes);
  if (wide.empty()) return {};
  const int length = static_cast<int>(wide.size());
  const int size =
      ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), size, nullptr, nullptr);
  return utf8;
}

std::string clSystemCodePage::FromUtf8(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int length = static_cast<int>(utf8.size());
  const int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), size);
  return FromWide(wide);
}

bool clSystemCodePage::IsLeadByte(unsigned char byte) { return ::IsDBCSLeadByte(byte) != 0; }

bool clSystemCodePage::EndsWithSeparator(std::string_view bytes) {
  const std::size_t at = LastSeparator(bytes);
  return at != std::string_view::npos && at + 1 == bytes.size();
}

std::size_t clSystemCodePage::FirstSeparator(std::string_view bytes) {
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    if (::IsDBCSLeadByte(static_cast<BYTE>(bytes[at])) && at + 1 < bytes.size()) {
      ++at;  // the trail byte may be 0x5C: it is part of the character
    } else if (bytes[at] == '\\' || bytes[at] == '/') {
      return at;
    }
  }
  return std::string_view::npos;
}

std::size_t clSystemCodePage::LastSeparator(std::string_view bytes) {
  std::size_t last = std::string_view::npos;
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    if (::IsDBCSLeadByte(static_cast<BYTE>(bytes[at])) && at + 1 < bytes.size()) {
      ++at;  // the trail byte may be 0x5C: it is part of the character
    } else if (bytes[at] == '\\' || bytes[at] == '/') {
      last = at;
    }
  }
  return last;
}

std::wstring clSystemCodePage::LongPath(std::wstring path) {
  if (path.rfind(L"\\\\?\\", 0) == 0) return path;
  if (!IsPlainAbsolute(path)) {
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::vector<wchar_t> full(size);
    const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return path;
    path.assign(full.data(), length);
  }
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') {
    return L"\\\\?\\UNC\\" + path.substr(2);
  }
  if (path.size() >= 2 && path[1] == L':') return L"\\\\?\\" + path;
  return path;
}
