#include "platform/win32/clwin32platform.h"

#include "platform/win32/clwindows.h"

#include <bit>
#include <memory>
#include <utility>

#include "platform/win32/clsystemcodepage.h"
#include "platform/win32/clwin32folders.h"

namespace {

// The folder a read starts from, at its wide path: the volume's serial number is asked
// for once, here, and every folder below takes it from its parent.
std::shared_ptr<const clWin32Folder> TopFolder(std::wstring wide) {
  uint64_t volume = 0, index = 0;
  clWin32Folder::IdentityOf(wide, volume, index);
  return std::make_shared<const clWin32Folder>(nullptr, std::move(wide), volume);
}

}  // namespace

std::wstring clWin32Platform::WidePath(const std::string& path) const {
  // What a way in handed over is opened by the wide path it came with; any other path as
  // the code page reads.
  std::wstring wide;
  if (roots.Find(path, wide)) return wide;
  return clSystemCodePage::ToWide(path);
}

void clWin32Platform::RememberWidePath(const std::string& path, const std::wstring& wide) {
  roots.Remember(path, wide);
}

bool clWin32Platform::ReadFolder(const std::string& folder, std::vector<clFolderItem>& items) {
  const std::shared_ptr<const clWin32Folder> top = TopFolder(WidePath(folder));
  return clWin32Folder::List(top->name, top->volume, items, nullptr);
}

bool clWin32Platform::ReadFolderUntil(const std::string& folder, std::vector<clFolderItem>& items,
                                      const std::atomic<bool>& stop) {
  const std::shared_ptr<const clWin32Folder> top = TopFolder(WidePath(folder));
  return clWin32Folder::List(top->name, top->volume, items, &stop);
}

clFolderPlace clWin32Platform::RootPlace(const std::string& folder) {
  return {folder, TopFolder(WidePath(folder)), {}};
}

clFolderPlace clWin32Platform::ChildPlace(const clFolderPlace& parent, const clFolderItem& item,
                                          std::string path) {
  std::shared_ptr<const clWin32Folder> above =
      std::dynamic_pointer_cast<const clWin32Folder>(parent.base);
  if (!above) above = TopFolder(WidePath(parent.path));
  // The very item of the parent's listing, by its wide name: of names that read alike in
  // the code page, the one the walk entered. A link leads to its own volume.
  std::wstring name = item.wideName.empty() ? clSystemCodePage::ToWide(item.name) : item.wideName;
  const bool examined = item.device != 0 || item.inode != 0;
  const uint64_t volume = examined ? item.device : above->volume;
  return {std::move(path),
          std::make_shared<const clWin32Folder>(std::move(above), std::move(name), volume),
          {}};
}

bool clWin32Platform::ReadPlace(const clFolderPlace& place, std::vector<clFolderItem>& items,
                                const std::atomic<bool>& stop) {
  const auto* folder = dynamic_cast<const clWin32Folder*>(place.base.get());
  if (folder == nullptr) return ReadFolderUntil(place.path, items, stop);
  return clWin32Folder::List(folder->Path(), folder->volume, items, &stop);
}

unsigned clWin32Platform::Processors() const {
  // The processors this process may run on, which a process held to some has fewer of
  // than the machine.
  DWORD_PTR process = 0, system = 0;
  if (!::GetProcessAffinityMask(::GetCurrentProcess(), &process, &system) || process == 0) {
    return 1;
  }
  return static_cast<unsigned>(std::popcount(static_cast<unsigned long long>(process)));
}

bool clWin32Platform::FolderIdentity(const std::string& folder, uint64_t& device, uint64_t& inode) {
  return clWin32Folder::IdentityOf(WidePath(folder), device, inode);
}

std::string clWin32Platform::GetSystemFolder() {
  char buffer[MAX_PATH + 1];
  const UINT length = ::GetWindowsDirectoryA(buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return {};
  return std::string(buffer, length);
}

clPathKind clWin32Platform::GetPathKind(const std::string& path) {
  if (path.empty()) return clPathKind::Missing;
  const DWORD attributes = ::GetFileAttributesW(clSystemCodePage::LongPath(WidePath(path)).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return clPathKind::Missing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? clPathKind::Folder : clPathKind::File;
}

bool clWin32Platform::CreateFolders(const std::string& folder) {
  if (folder.empty()) return false;
  // Each part from the top, then the folder itself; a part that exists already (the
  // drive, a share) refuses creation, which is no failure.
  const std::wstring full = clSystemCodePage::LongPath(WidePath(folder));
  const std::size_t start = full.rfind(L"\\\\?\\", 0) == 0 ? 4 : 0;
  for (std::size_t at = full.find(L'\\', start);; at = full.find(L'\\', at + 1)) {
    const std::wstring part = at == std::wstring::npos ? full : full.substr(0, at);
    ::CreateDirectoryW(part.c_str(), nullptr);
    if (at == std::wstring::npos) break;
  }
  const DWORD attributes = ::GetFileAttributesW(full.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

clFilePlatform& DefaultFilePlatform() {
  static clWin32Platform platform;
  return platform;
}
