#include "platform/win32/clwin32process.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
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
  // A copy in a folder this user may write is a portable one; an installed copy keeps
  // Setting.ini in %APPDATA%\KDX and writes to the Documents folder's FolderListOutput.
  facts.exeFolderWritable = CanWriteIn(facts.exeFolder);
  facts.configHome = UserFolder(CSIDL_APPDATA);
  facts.documentsFolder = UserFolder(CSIDL_PERSONAL);
  int count = 0;
  LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (arguments != nullptr) {
    if (count > 1) {
      // The system's parser reads a backslash before a closing quote as an escape, so
      // "D:\" arrives as D:" ; no path holds a quote.
      std::wstring argument = arguments[1];
      if (!argument.empty() && argument.back() == L'"') argument.pop_back();
      facts.argument = Handed(argument.c_str());
    }
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

bool clWin32Process::CanWriteIn(const std::string& folder) {
  if (folder.empty()) return false;
  const std::string probe = folder + "\\KDX-" + std::to_string(::GetCurrentProcessId()) + ".tmp";
  const HANDLE file = ::CreateFileA(
      probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
      FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_FILE_EXISTS;
  ::CloseHandle(file);
  return true;
}

std::string clWin32Process::UserFolder(int csidl) {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                                folder))) {
    return {};
  }
  return clSystemCodePage::FromWide(folder);
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
