#include "platform/win32/clwin32process.h"

#include <shellapi.h>

#include <cstdio>
#include <vector>

#include "platform/win32/clsystemcodepage.h"
#include "platform/win32/clwin32platform.h"

clWin32Process::~clWin32Process() { ReleaseInstance(); }

clProcessFacts clWin32Process::GetProcessFacts() {
  clProcessFacts facts;
  std::vector<char> buffer(MAX_PATH + 1);
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) break;
    if (length < buffer.size()) {
      const std::string path(buffer.data(), length);
      const std::size_t cut = clSystemCodePage::LastSeparator(path);
      facts.exeFolder = cut == std::string::npos ? std::string() : path.substr(0, cut);
      facts.exeName = cut == std::string::npos ? path : path.substr(cut + 1);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  int count = 0;
  LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (arguments != nullptr) {
    if (count > 1) facts.argument = Handed(arguments[1]);
    ::LocalFree(arguments);
  }
  return facts;
}

std::string clWin32Process::CurrentFolder() {
  const DWORD size = ::GetCurrentDirectoryW(0, nullptr);
  if (size == 0) return {};
  std::wstring folder(size, L'\0');
  const DWORD length = ::GetCurrentDirectoryW(size, folder.data());
  if (length == 0 || length >= size) return {};
  folder.resize(length);
  return Handed(folder);
}

std::string clWin32Process::Handed(const std::wstring& wide) {
  std::string path = clSystemCodePage::FromWide(wide);
  if (widePaths != nullptr) widePaths->RememberWidePath(path, wide);
  return path;
}

bool clWin32Process::AcquireInstance(const std::string& exeName) {
  if (mutex != nullptr) return true;
  const HANDLE other = ::OpenMutexA(MUTEX_ALL_ACCESS, FALSE, exeName.c_str());
  if (other != nullptr) {
    ::CloseHandle(other);
    return false;
  }
  // A mutex of that name that this user may not open fully (one made by an instance run
  // as administrator) is another instance all the same.
  if (::GetLastError() == ERROR_ACCESS_DENIED) return false;
  const HANDLE created = ::CreateMutexA(nullptr, TRUE, exeName.c_str());
  if (created == nullptr) {
    // No guard to be had: the program runs anyway, unless the name is taken.
    return ::GetLastError() != ERROR_ACCESS_DENIED;
  }
  if (::GetLastError() == ERROR_ALREADY_EXISTS) {
    ::CloseHandle(created);  // another instance made it in between
    return false;
  }
  mutex = created;
  return true;
}

void clWin32Process::ReleaseInstance() {
  if (mutex == nullptr) return;
  // Released, not closed: the name stays until the process ends, so that no second
  // instance starts while this one is still ending.
  ::ReleaseMutex(mutex);
  mutex = nullptr;
}

std::string clWin32Process::GetLocalTimeStamp() {
  SYSTEMTIME now;
  ::GetLocalTime(&now);
  char text[32];
  std::snprintf(text, sizeof text, "%04u%02u%02u%02u%02u%02u", now.wYear, now.wMonth, now.wDay,
                now.wHour, now.wMinute, now.wSecond);
  return text;
}
