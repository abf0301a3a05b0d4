// The fixture tree on Windows: paths are system code-page bytes, made with the wide
// functions so that names with a 0x5C trail byte ("ソ", "表") stay whole.
#include "platform/win32/clwindows.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "cltemptree.h"
#include "platform/win32/clsystemcodepage.h"

namespace {

std::wstring Wide(const std::string& path) {
  return clSystemCodePage::LongPath(clSystemCodePage::ToWide(path));
}

void MakeFolders(const std::string& path) {
  const std::wstring full = Wide(path);
  for (std::size_t at = full.find(L'\\', 4);; at = full.find(L'\\', at + 1)) {
    ::CreateDirectoryW((at == std::wstring::npos ? full : full.substr(0, at)).c_str(), nullptr);
    if (at == std::wstring::npos) break;
  }
}

void MakeParents(const std::string& path) {
  const std::wstring wide = clSystemCodePage::ToWide(path);
  const std::size_t slash = wide.find_last_of(L"\\/");
  if (slash != std::wstring::npos) MakeFolders(clSystemCodePage::FromWide(wide.substr(0, slash)));
}

// Whether `path` names an item, a dangling link too.
bool Listed(const std::wstring& path, DWORD* attributes = nullptr) {
  WIN32_FIND_DATAW data;
  const HANDLE find = ::FindFirstFileW(path.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  ::FindClose(find);
  if (attributes != nullptr) *attributes = data.dwFileAttributes;
  return true;
}

// Under Wine: runs the POSIX program `program` (its name after "Z:\bin\") with the
// arguments, each a path of this system or a plain word, and waits until `done` holds (a
// program of the host is not waited for by Wine), at most 30 seconds. False elsewhere.
template <class Done>
bool RunOnHost(const wchar_t* program, const std::vector<std::wstring>& arguments, Done done) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
  if (toUnix == nullptr) return false;
  const std::wstring path = std::wstring(L"Z:\\bin\\") + program;
  std::wstring command = path;
  for (std::wstring argument : arguments) {
    if (argument.rfind(L"\\\\?\\", 0) == 0) argument.erase(0, 4);  // the long form
    std::wstring host = argument;
    if (argument.size() > 2 && argument[1] == L':') {
      // The folder's host path, and the name as it stands: the name itself may be a link,
      // which the conversion would follow.
      const std::size_t slash = argument.find_last_of(L"\\/");
      char* const unix = toUnix(argument.substr(0, slash).c_str());
      if (unix == nullptr) return false;
      wchar_t folder[4096];
      const int length = ::MultiByteToWideChar(CP_UTF8, 0, unix, -1, folder, 4096);
      ::HeapFree(::GetProcessHeap(), 0, unix);
      if (length <= 0) return false;
      host = std::wstring(folder) + L"/" + argument.substr(slash + 1);
    }
    command += L" \"" + host + L"\"";
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return false;
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  for (int waited = 0; !done(); waited += 5) {
    if (waited >= 30000) return false;
    ::Sleep(5);
  }
  return true;
}

void RemoveAll(const std::wstring& path) {
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  WIN32_FIND_DATAW data;
  const HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        // A link goes itself; what it leads to stays. Wine removes none of its host's.
        if (!::DeleteFileW(child.c_str()) && !::RemoveDirectoryW(child.c_str())) {
          RunOnHost(L"rm", {L"-f", L"--", child}, [&] { return !Listed(child); });
        }
      } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveAll(child);
      } else {
        ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(child.c_str());
      }
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
  }
  ::RemoveDirectoryW(path.c_str());
}

// A symbolic link at `link` to `target` (relative to the link's folder, or absolute).
// Wine makes no link of its own (CreateSymbolicLinkW does nothing there): its host's ln
// makes one, which Wine shows as a reparse point, as Windows shows a link.
void MakeLink(const std::string& link, const std::string& target) {
  std::wstring wideTarget = clSystemCodePage::ToWide(target);
  std::replace(wideTarget.begin(), wideTarget.end(), L'/', L'\\');
  const std::wstring wideLink = clSystemCodePage::ToWide(link);
  const auto made = [&] {
    DWORD attributes = 0;
    return Listed(Wide(link), &attributes) && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  };
  const std::size_t slash = wideLink.find_last_of(L"\\/");
  const std::wstring resolved = wideTarget.size() > 1 && wideTarget[1] == L':'
                                    ? wideTarget
                                    : wideLink.substr(0, slash + 1) + wideTarget;
  const DWORD attributes = ::GetFileAttributesW(resolved.c_str());
  const DWORD flags =
      (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
           ? SYMBOLIC_LINK_FLAG_DIRECTORY
           : 0) |
      SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE;
  if (::CreateSymbolicLinkW(wideLink.c_str(), wideTarget.c_str(), flags) && made()) return;
  std::wstring hostTarget = wideTarget;  // "\\" between names, not a 0x5C trail byte
  std::replace(hostTarget.begin(), hostTarget.end(), L'\\', L'/');
  if (!RunOnHost(L"ln", {L"-s", L"--", hostTarget, wideLink}, made)) {
    throw std::runtime_error("no link made at " + link);
  }
}

}  // namespace

clTempTree::clTempTree() {
  wchar_t base[MAX_PATH + 1];
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, base);
  if (length == 0) throw std::runtime_error("no temporary folder");
  static unsigned serial = 0;
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const std::wstring folder = std::wstring(base, length) + L"kdx-test-" +
                                std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                std::to_wstring(serial++);
    if (::CreateDirectoryW(folder.c_str(), nullptr)) {
      root = clSystemCodePage::FromWide(folder);
      return;
    }
  }
  throw std::runtime_error("cannot make a temporary folder");
}

clTempTree::clTempTree(std::initializer_list<std::string> lines) : clTempTree() { Build(lines); }

clTempTree::~clTempTree() { RemoveAll(Wide(root)); }

void clTempTree::Add(const std::string& line) {
  if (line.rfind("ro:", 0) == 0) {
    std::string target = Path(line.substr(3));
    if (!target.empty() && target.back() == '/') target.pop_back();
    const std::wstring wide = Wide(target);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) throw std::runtime_error("no such item: " + line);
    ::SetFileAttributesW(wide.c_str(), attributes | FILE_ATTRIBUTE_READONLY);
    return;
  }
  const std::size_t arrow = line.find(" -> ");
  if (arrow != std::string::npos) {
    const std::string link = Path(line.substr(0, arrow));
    MakeParents(link);
    MakeLink(link, line.substr(arrow + 4));
    return;
  }
  if (!line.empty() && line.back() == '/') {
    MakeFolders(Path(line.substr(0, line.size() - 1)));
    return;
  }
  const auto equals = line.find('=');
  const std::string file = Path(line.substr(0, equals));
  MakeParents(file);
  const HANDLE handle = ::CreateFileW(Wide(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + file);
  bool written = true;
  if (equals != std::string::npos) {
    const std::string text = line.substr(equals + 1);
    DWORD done = 0;
    written = ::WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &done, nullptr) &&
              done == text.size();
  }
  ::CloseHandle(handle);
  if (!written) throw std::runtime_error("cannot write " + file);
}

std::string clTempTree::ReadFile(const std::string& path) {
  const HANDLE handle = ::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[65536];
  DWORD count = 0;
  while (::ReadFile(handle, buffer, sizeof buffer, &count, nullptr) && count > 0) {
    bytes.append(buffer, count);
  }
  ::CloseHandle(handle);
  return bytes;
}

bool clTempTree::Exists(const std::string& path) {
  return ::GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}
