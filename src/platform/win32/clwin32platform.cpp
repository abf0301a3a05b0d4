#include "platform/win32/clwin32platform.h"

#include "platform/win32/clwindows.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <utility>

#include "platform/win32/clsystemcodepage.h"

namespace {

struct FindCloser {
  HANDLE handle;
  ~FindCloser() { ::FindClose(handle); }
};

// Which item of its parent's listing a sub-folder is.
struct clListedChild : clFolderBase {
  explicit clListedChild(std::size_t at) : index(at) {}
  std::size_t index;
};

}  // namespace

bool clWin32Platform::ReadFolder(const std::string& folder, std::vector<clFolderItem>& items) {
  return Read(folder, items, nullptr);
}

bool clWin32Platform::ReadFolderUntil(const std::string& folder, std::vector<clFolderItem>& items,
                                      const std::atomic<bool>& stop) {
  return Read(folder, items, &stop);
}

clFolderPlace clWin32Platform::ChildPlace(const clFolderPlace& parent, const clFolderItem& item,
                                          std::string path) {
  const std::size_t index = paths.Find(parent.path, item.name, item.device, item.inode);
  if (index == clWidePathMap::kNone) return {std::move(path), nullptr, {}};
  return {std::move(path), std::make_shared<clListedChild>(index), {}};
}

bool clWin32Platform::ReadPlace(const clFolderPlace& place, std::vector<clFolderItem>& items,
                                const std::atomic<bool>& stop) {
  const auto* child = dynamic_cast<const clListedChild*>(place.base.get());
  return Read(place.path, items, &stop, child != nullptr ? child->index : clWidePathMap::kNone);
}

bool clWin32Platform::Read(const std::string& folder, std::vector<clFolderItem>& items,
                           const std::atomic<bool>* stop, std::size_t index) {
  const std::wstring wide = paths.Enter(folder, index);
  std::wstring pattern = clSystemCodePage::LongPath(wide);
  if (pattern.empty() || pattern.back() != L'\\') pattern += L'\\';
  const std::size_t folderLength = pattern.size();
  pattern += L'*';

  WIN32_FIND_DATAW data;
  const HANDLE find = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr, 0);
  if (find == INVALID_HANDLE_VALUE) {
    paths.Opened(folder, wide, {});
    return ::GetLastError() == ERROR_FILE_NOT_FOUND;  // an empty drive root has no "."
  }
  const FindCloser closer{find};
  std::vector<clWidePathMap::Folder> folders;
  std::wstring childPath = pattern.substr(0, folderLength);
  do {
    clFolderItem item;
    const std::wstring_view name(data.cFileName);
    item.name = clSystemCodePage::FromWide(name);
    item.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    item.hidden = (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    item.readOnly = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (item.isFolder && name != L"." && name != L"..") {
      childPath.resize(folderLength);
      childPath += name;
      IdentityOf(childPath, item.device, item.inode);
      folders.push_back({item.name, std::wstring(name), item.device, item.inode});
    }
    items.push_back(std::move(item));
    if (stop && stop->load(std::memory_order_relaxed)) break;
  } while (::FindNextFileW(find, &data));
  paths.Opened(folder, wide, std::move(folders));
  return true;
}

bool clWin32Platform::IdentityOf(const std::wstring& wide, uint64_t& device, uint64_t& inode) {
  // Opening with backup semantics opens a folder; a link is followed to what it names.
  const HANDLE file = ::CreateFileW(clSystemCodePage::LongPath(wide).c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  const bool known = ::GetFileInformationByHandle(file, &info) != 0;
  ::CloseHandle(file);
  if (!known) return false;
  device = info.dwVolumeSerialNumber;
  inode = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  return true;
}

bool clWin32Platform::FolderIdentity(const std::string& folder, uint64_t& device, uint64_t& inode) {
  return IdentityOf(paths.Lookup(folder), device, inode);
}

std::string clWin32Platform::GetSystemFolder() {
  char buffer[MAX_PATH + 1];
  const UINT length = ::GetWindowsDirectoryA(buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return {};
  return std::string(buffer, length);
}

clPathKind clWin32Platform::GetPathKind(const std::string& path) {
  if (path.empty()) return clPathKind::Missing;
  const DWORD attributes =
      ::GetFileAttributesW(clSystemCodePage::LongPath(paths.Lookup(path)).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return clPathKind::Missing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? clPathKind::Folder : clPathKind::File;
}

bool clWin32Platform::CreateFolders(const std::string& folder) {
  if (folder.empty()) return false;
  // Each part from the top, then the folder itself; a part that exists already (the
  // drive, a share) refuses creation, which is no failure.
  const std::wstring full = clSystemCodePage::LongPath(paths.Lookup(folder));
  const std::size_t start = full.rfind(L"\\\\?\\", 0) == 0 ? 4 : 0;
  for (std::size_t at = full.find(L'\\', start);; at = full.find(L'\\', at + 1)) {
    const std::wstring part = at == std::wstring::npos ? full : full.substr(0, at);
    ::CreateDirectoryW(part.c_str(), nullptr);
    if (at == std::wstring::npos) break;
  }
  const DWORD attributes = ::GetFileAttributesW(full.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

namespace {

bool IsMissing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool WriteAll(HANDLE file, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1 << 30));
    DWORD written = 0;
    if (!::WriteFile(file, text.data() + done, chunk, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

}  // namespace

clFileRead clWin32Platform::ReadWholeFile(const std::string& path, std::string& text) {
  text.clear();
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return IsMissing(::GetLastError()) ? clFileRead::Missing : clFileRead::Failed;
  }
  clFileRead result = clFileRead::Read;
  if (::GetFileType(file) != FILE_TYPE_DISK) {
    result = clFileRead::Failed;  // a device or a pipe is no settings file
  } else {
    char buffer[65536];
    DWORD count = 0;
    for (;;) {
      if (!::ReadFile(file, buffer, sizeof buffer, &count, nullptr)) {
        result = clFileRead::Failed;
        break;
      }
      if (count == 0) break;
      text.append(buffer, count);
    }
  }
  ::CloseHandle(file);
  if (result != clFileRead::Read) text.clear();
  return result;
}

bool clWin32Platform::ReplaceFile(const std::string& path, const std::string& text) {
  const DWORD old = ::GetFileAttributesA(path.c_str());
  if (old != INVALID_FILE_ATTRIBUTES &&
      (old & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    return false;  // marked read-only: kept as it is
  }
  // The new content goes to a file of its own beside the old one, onto the disk, and
  // then takes the old one's place in one step.
  static std::atomic<unsigned> serial{0};
  std::string temp;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temp =
        path + ".new-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(serial++);
    file = ::CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
    if (file == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool written = WriteAll(file, text) && ::FlushFileBuffers(file);
  const bool closed = ::CloseHandle(file) != 0;
  // ReplaceFileA keeps the old file's attributes and security; a new file is moved in.
  const bool replaced =
      written && closed &&
      (old != INVALID_FILE_ATTRIBUTES
           ? ::ReplaceFileA(path.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                            nullptr, nullptr) != 0
           : ::MoveFileExA(temp.c_str(), path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0);
  if (!replaced) ::DeleteFileA(temp.c_str());
  return replaced;
}

clFilePlatform& DefaultFilePlatform() {
  static clWin32Platform platform;
  return platform;
}
