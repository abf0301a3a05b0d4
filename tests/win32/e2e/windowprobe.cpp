// What a user sees of a window of another program: windowprobe OUT TITLE writes into the
// file OUT (UTF-8) the client size of the visible top-level window called TITLE, the
// client area's place on the screen and, one a line, each of its controls: class, place
// in the client area, size and text.
//   client 191 52
//   origin 232 260
//   Static 8 8 177 33 ここに任意のフォルダを...
// With TITLE "--clipboard" it writes the clipboard's CF_TEXT bytes instead, as they are;
// with "--tooltip" the screen place, size and text of each hint shown ("tooltip L T W H
// text").
// Ends with status 1 when there is no such window (or no text on the clipboard).
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                        nullptr, nullptr);
  return text;
}

std::wstring TextOf(HWND window) {
  wchar_t text[4096] = {};
  DWORD_PTR length = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXT, sizeof text / sizeof text[0],
                        reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &length);
  return text;
}

struct Found {
  const wchar_t* title;
  HWND window;
};

BOOL CALLBACK ListTooltip(HWND window, LPARAM data) {
  wchar_t className[64] = {};
  ::GetClassNameW(window, className, 64);
  if (!::IsWindowVisible(window) || std::wstring(className) != L"tooltips_class32") return TRUE;
  RECT place;
  ::GetWindowRect(window, &place);
  char numbers[96];
  std::snprintf(numbers, sizeof numbers, "tooltip %ld %ld %ld %ld ", place.left, place.top,
                place.right - place.left, place.bottom - place.top);
  *reinterpret_cast<std::string*>(data) += numbers + Utf8(TextOf(window)) + "\n";
  return TRUE;
}

BOOL CALLBACK FindVisible(HWND window, LPARAM data) {
  auto* found = reinterpret_cast<Found*>(data);
  if (::IsWindowVisible(window) && TextOf(window) == found->title) {
    found->window = window;
    return FALSE;
  }
  return TRUE;
}

struct Listing {
  HWND top;
  std::string lines;
};

BOOL CALLBACK ListChild(HWND child, LPARAM data) {
  auto* listing = reinterpret_cast<Listing*>(data);
  if (::GetParent(child) != listing->top) return TRUE;
  wchar_t className[256] = {};
  ::GetClassNameW(child, className, 256);
  RECT place;
  ::GetWindowRect(child, &place);
  ::MapWindowPoints(nullptr, listing->top, reinterpret_cast<POINT*>(&place), 2);
  char numbers[96];
  std::snprintf(numbers, sizeof numbers, " %ld %ld %ld %ld ", place.left, place.top,
                place.right - place.left, place.bottom - place.top);
  listing->lines += Utf8(className) + numbers + Utf8(TextOf(child)) + "\n";
  return TRUE;
}

int WriteClipboard(const wchar_t* path) {
  if (!::OpenClipboard(nullptr)) return 1;
  std::string bytes;
  const HANDLE data = ::GetClipboardData(CF_TEXT);
  const auto* text = data != nullptr ? static_cast<const char*>(::GlobalLock(data)) : nullptr;
  if (text != nullptr) {
    bytes = text;
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  if (text == nullptr) return 1;
  FILE* out = _wfopen(path, L"wb");
  if (out == nullptr) return 2;
  std::fwrite(bytes.data(), 1, bytes.size(), out);
  std::fclose(out);
  return 0;
}

}  // namespace

int main() {
  int count = 0;
  LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (arguments == nullptr || count != 3) return 2;
  if (std::wstring(arguments[2]) == L"--clipboard") return WriteClipboard(arguments[1]);
  if (std::wstring(arguments[2]) == L"--tooltip") {
    std::string tips;
    ::EnumWindows(ListTooltip, reinterpret_cast<LPARAM>(&tips));
    if (tips.empty()) return 1;
    FILE* out = _wfopen(arguments[1], L"wb");
    if (out == nullptr) return 2;
    std::fwrite(tips.data(), 1, tips.size(), out);
    std::fclose(out);
    return 0;
  }
  Found found{arguments[2], nullptr};
  ::EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&found));
  if (found.window == nullptr) return 1;
  RECT client;
  ::GetClientRect(found.window, &client);
  POINT origin = {0, 0};
  ::ClientToScreen(found.window, &origin);
  Listing listing{found.window, "client " + std::to_string(client.right) + " " +
                                    std::to_string(client.bottom) + "\norigin " +
                                    std::to_string(origin.x) + " " + std::to_string(origin.y) +
                                    "\n"};
  ::EnumChildWindows(found.window, ListChild, reinterpret_cast<LPARAM>(&listing));
  FILE* out = _wfopen(arguments[1], L"wb");
  if (out == nullptr) return 2;
  std::fwrite(listing.lines.data(), 1, listing.lines.size(), out);
  std::fclose(out);
  return 0;
}
