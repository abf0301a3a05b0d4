#include "win32/clfolderbrowser.h"

#include <shlobj.h>

#include <string>

#include "platform/win32/clsystemcodepage.h"
#include "platform/win32/clwin32platform.h"
#include "win32/clwintext.h"

namespace {

// The longest path the wide functions take.
constexpr DWORD kLongestPath = 32768;

}  // namespace

int CALLBACK clFolderBrowser::BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED) ::SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}

std::string clFolderBrowser::ChooseFolder(const std::string& title,
                                          const std::string& initialFolder, bool preSelect) {
  char path[MAX_PATH] = {};
  char displayName[MAX_PATH] = {};
  const std::string shownTitle = clWinText::ToAnsi(title);
  BROWSEINFOA info = {};
  info.hwndOwner = owner;
  info.pidlRoot = nullptr;
  info.pszDisplayName = displayName;
  info.lpszTitle = shownTitle.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.iImage = 0;
  // Only a folder that is there is handed to the dialog: a path it cannot parse would
  // only fail on Windows, but brings Wine's dialog down.
  const DWORD attributes = ::GetFileAttributesA(initialFolder.c_str());
  const bool folderThere =
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (preSelect && !initialFolder.empty() && folderThere) {
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(initialFolder.c_str());
  }
  LPITEMIDLIST chosen = ::SHBrowseForFolderA(&info);
  if (chosen == nullptr) return std::string();
  std::wstring wide(kLongestPath, L'\0');
  std::string folder;
  if (::SHGetPathFromIDListEx(chosen, wide.data(), kLongestPath, GPFIDL_DEFAULT)) {
    wide.resize(std::char_traits<wchar_t>::length(wide.c_str()));
    folder = clSystemCodePage::FromWide(wide);
    if (widePaths != nullptr) widePaths->RememberWidePath(folder, wide);
  } else if (::SHGetPathFromIDListA(chosen, path)) {
    folder = path;
  }
  ::CoTaskMemFree(chosen);
  return folder;
}
