#include "platform/win32/clwin32folders.h"

#include "platform/win32/clwindows.h"

#include <utility>

#include "platform/win32/clsystemcodepage.h"

namespace {

// What one request of a listing fetches at most: many items of a large folder per round
// trip to a server, as FindFirstFileEx's large fetch does.
constexpr DWORD kFetchBytes = 64 * 1024;

struct HandleCloser {
  HANDLE handle;
  ~HandleCloser() { ::CloseHandle(handle); }
};

struct FindCloser {
  HANDLE handle;
  ~FindCloser() { ::FindClose(handle); }
};

bool IsDot(std::wstring_view name) { return name == L"." || name == L".."; }

// Whether a reparse point with `tag` may lead elsewhere: a name surrogate (a junction,
// a mount point, a symbolic link) does; a cloud-file placeholder, a deduplicated or
// compressed file does not, and its listing's identity stands. An unknown tag (0) counts
// as one that may.
bool MayLeadElsewhere(DWORD attributes, DWORD tag) {
  constexpr DWORD kNameSurrogate = 0x20000000;
  return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
         (tag == 0 || (tag & kNameSurrogate) != 0);
}

// The item of a listing, without its identity. `tag` is the reparse tag of a reparse
// point, 0 when the listing does not tell it.
clFolderItem ItemOf(std::wstring_view name, DWORD attributes, DWORD tag) {
  clFolderItem item;
  item.name = clSystemCodePage::FromWide(name);
  item.isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  item.hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
  item.readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  item.isLink = MayLeadElsewhere(attributes, tag);
  if (item.isFolder && !IsDot(name)) item.wideName = name;
  return item;
}

// A folder's identity where its listing cannot tell it: a reparse point leads elsewhere,
// maybe to another volume or up its own branch, and is opened to learn where.
void IdentifyLink(clFolderItem& item, std::wstring& childPath, std::size_t folderLength) {
  if (!item.isFolder || !item.isLink || item.wideName.empty()) return;
  childPath.resize(folderLength);
  childPath += item.wideName;
  if (!clWin32Folder::IdentityOf(childPath, item.device, item.inode)) {
    item.device = 0;
    item.inode = 0;
  }
}

// The listing through FindFirstFileExW, for a file system that gives no file ids in its
// listings: every folder is opened for its identity.
bool ListByFind(const std::wstring& folder, std::vector<clFolderItem>& items,
                const std::atomic<bool>* stop) {
  const std::wstring pattern = folder + L'*';
  WIN32_FIND_DATAW data;
  const HANDLE find = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) {
    return ::GetLastError() == ERROR_FILE_NOT_FOUND;  // an empty drive root has no "."
  }
  const FindCloser closer{find};
  std::wstring childPath = folder;
  do {
    clFolderItem item = ItemOf(data.cFileName, data.dwFileAttributes, data.dwReserved0);
    if (item.isFolder && !item.wideName.empty()) {
      childPath.resize(folder.size());
      childPath += item.wideName;
      clWin32Folder::IdentityOf(childPath, item.device, item.inode);
    }
    items.push_back(std::move(item));
    if (stop && stop->load(std::memory_order_relaxed)) break;
  } while (::FindNextFileW(find, &data));
  return true;
}

}  // namespace

clWin32Folder::~clWin32Folder() {
  // The folders up the branch that only this one held go one after another, not each
  // inside the next one's end: a branch thousands of folders deep ends too.
  std::shared_ptr<const clWin32Folder> up = std::move(parent);
  while (up && up.use_count() == 1) {
    std::shared_ptr<const clWin32Folder> next = std::move(const_cast<clWin32Folder&>(*up).parent);
    up = std::move(next);
  }
}

std::wstring clWin32Folder::Path() const {
  std::vector<const clWin32Folder*> branch;
  std::size_t length = 0;
  for (const clWin32Folder* folder = this; folder != nullptr; folder = folder->parent.get()) {
    branch.push_back(folder);
    length += folder->name.size() + 1;
  }
  std::wstring path;
  path.reserve(length);
  for (auto folder = branch.rbegin(); folder != branch.rend(); ++folder) {
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
    path += (*folder)->name;
  }
  return path;
}

bool clWin32Folder::IdentityOf(const std::wstring& wide, uint64_t& device, uint64_t& inode) {
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

bool clWin32Folder::List(const std::wstring& wide, uint64_t volume,
                         std::vector<clFolderItem>& items, const std::atomic<bool>* stop) {
  std::wstring folder = clSystemCodePage::LongPath(wide);
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  // One open, then the folder's items with their file ids, many to a request.
  const HANDLE handle = ::CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const HandleCloser closer{handle};
  const auto buffer = std::make_unique<uint64_t[]>(kFetchBytes / sizeof(uint64_t));
  std::wstring childPath = folder;
  for (bool first = true;; first = false) {
    if (!::GetFileInformationByHandleEx(handle, FileIdBothDirectoryInfo, buffer.get(),
                                        kFetchBytes)) {
      const DWORD error = ::GetLastError();
      if (!first || error == ERROR_NO_MORE_FILES || error == ERROR_FILE_NOT_FOUND) return true;
      // No listing by id here (or no folder at all, which the other listing tells).
      return ListByFind(folder, items, stop);
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.get());
    for (;;) {
      const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(bytes);
      const std::wstring_view name(entry->FileName, entry->FileNameLength / sizeof(WCHAR));
      // A reparse point's listing entry holds its tag where extended attributes' size
      // would be.
      clFolderItem item = ItemOf(name, entry->FileAttributes, entry->EaSize);
      const auto id = static_cast<uint64_t>(entry->FileId.QuadPart);
      if (item.isLink) {
        IdentifyLink(item, childPath, folder.size());
      } else if (id != 0 && id != ~uint64_t{0}) {
        // A file system without file ids gives 0, one whose ids do not fit gives all
        // ones: the item then has no identity.
        item.device = volume;
        item.inode = id;
      }
      items.push_back(std::move(item));
      if (stop && stop->load(std::memory_order_relaxed)) return true;
      if (entry->NextEntryOffset == 0) break;
      bytes += entry->NextEntryOffset;
    }
  }
}
