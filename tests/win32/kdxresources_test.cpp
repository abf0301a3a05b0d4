// What the built KDX.exe carries for Windows and Explorer: its manifest, its version
// resource, Japanese resources, an icon of every size Explorer asks for, no debug data.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// The executable, as the build made it (KDX_EXE is its path).
const char* ExePath() { return KDX_EXE; }

class clModule {
 public:
  clModule()
      : handle(::LoadLibraryExA(ExePath(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
  ~clModule() {
    if (handle != nullptr) ::FreeLibrary(handle);
  }
  clModule(const clModule&) = delete;
  clModule& operator=(const clModule&) = delete;
  HMODULE handle;
};

std::string ResourceBytes(HMODULE module, LPCSTR type, LPCSTR name) {
  const HRSRC found = ::FindResourceA(module, name, type);
  if (found == nullptr) return {};
  const HGLOBAL loaded = ::LoadResource(module, found);
  const void* data = ::LockResource(loaded);
  return data == nullptr
             ? std::string()
             : std::string(static_cast<const char*>(data), ::SizeofResource(module, found));
}

std::wstring VersionString(const std::vector<char>& block, const wchar_t* name) {
  const std::wstring key = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
  void* value = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(block.data(), key.c_str(), &value, &length) || length == 0) return {};
  return std::wstring(static_cast<const wchar_t*>(value));
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR found) {
  reinterpret_cast<std::set<WORD>*>(found)->insert(language);
  return TRUE;
}

TEST(KdxExecutable, CarriesAManifestForStylesPerMonitorDpiTheSystemsAndTheUsersRights) {
  const clModule exe;
  ASSERT_NE(exe.handle, nullptr);
  const std::string manifest = ResourceBytes(exe.handle, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
  ASSERT_FALSE(manifest.empty());
  for (const char* part :
       {"Microsoft.Windows.Common-Controls", "version=\"6.0.0.0\"", "PerMonitorV2", "true/pm",
        "level=\"asInvoker\"", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"}) {
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  }
}

TEST(KdxExecutable, CarriesAJapaneseVersionResourceThatExplorerShows) {
  const DWORD size = ::GetFileVersionInfoSizeA(ExePath(), nullptr);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(::GetFileVersionInfoA(ExePath(), 0, size, block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);

  EXPECT_EQ(VersionString(block, L"FileDescription"), L"KDX フォルダ構成取得ツール");
  EXPECT_EQ(VersionString(block, L"CompanyName"), L"KDX 開発チーム");
  EXPECT_EQ(VersionString(block, L"LegalCopyright"), L"Copyright (C) 2026 KDX 開発チーム");
  EXPECT_EQ(VersionString(block, L"ProductName"), L"KDX");
  EXPECT_EQ(VersionString(block, L"FileVersion"), L"1.00");
  EXPECT_EQ(VersionString(block, L"ProductVersion"), L"1.00");
  EXPECT_EQ(VersionString(block, L"OriginalFilename"), L"KDX.exe");

  struct Translation {
    WORD language;
    WORD codePage;
  }* translation = nullptr;
  ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
  EXPECT_EQ(translation->language, 0x0411);
  EXPECT_EQ(translation->codePage, 1200);
}

TEST(KdxExecutable, TagsItsMenuDialogsAndIconJapanese) {
  const clModule exe;
  ASSERT_NE(exe.handle, nullptr);
  // The main menu, the three dialogs, the icon group, the shortcut and the version
  // resource.
  const std::pair<LPCSTR, int> resources[] = {
      {RT_MENU, 100},     {RT_DIALOG, 300},      {RT_DIALOG, 301}, {RT_DIALOG, 302},
      {RT_GROUP_ICON, 1}, {RT_ACCELERATOR, 101}, {RT_VERSION, 1}};
  for (const auto& [type, name] : resources) {
    std::set<WORD> languages;
    ::EnumResourceLanguagesA(exe.handle, type, MAKEINTRESOURCEA(name), CollectLanguage,
                             reinterpret_cast<LONG_PTR>(&languages));
    EXPECT_EQ(languages, std::set<WORD>{0x0411}) << "resource " << name;
  }
}

TEST(KdxExecutable, CarriesItsIconAt16To256Pixels) {
  const clModule exe;
  ASSERT_NE(exe.handle, nullptr);
  const std::string group = ResourceBytes(exe.handle, RT_GROUP_ICON, MAKEINTRESOURCEA(1));
  ASSERT_GE(group.size(), 6u);
  // A header of three words, then 14 bytes per image: width and height first (0 = 256).
  const auto count = static_cast<unsigned char>(group[4]) |
                     static_cast<unsigned>(static_cast<unsigned char>(group[5])) << 8;
  ASSERT_EQ(group.size(), 6u + 14u * count);
  std::set<int> sizes;
  for (unsigned image = 0; image < count; ++image) {
    const int width = static_cast<unsigned char>(group[6 + 14 * image]);
    sizes.insert(width == 0 ? 256 : width);
  }
  EXPECT_EQ(sizes, (std::set<int>{16, 24, 32, 48, 256}));
}

TEST(KdxExecutable, ShipsWithoutDebugSections) {
  const clModule exe;
  ASSERT_NE(exe.handle, nullptr);
  HANDLE file =
      ::CreateFileA(ExePath(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  std::vector<char> bytes(::GetFileSize(file, nullptr));
  DWORD read = 0;
  ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  ::CloseHandle(file);
  ASSERT_EQ(read, bytes.size());
  LONG headerAt = 0;
  std::memcpy(&headerAt, bytes.data() + 0x3C, sizeof headerAt);
  IMAGE_NT_HEADERS64 headers;
  std::memcpy(&headers, bytes.data() + headerAt, sizeof headers);
  const char* section = bytes.data() + headerAt + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                        headers.FileHeader.SizeOfOptionalHeader;
  for (WORD at = 0; at < headers.FileHeader.NumberOfSections; ++at) {
    IMAGE_SECTION_HEADER header;
    std::memcpy(&header, section + at * sizeof header, sizeof header);
    const std::string name(reinterpret_cast<const char*>(header.Name),
                           strnlen(reinterpret_cast<const char*>(header.Name), 8));
    EXPECT_NE(name.rfind("/", 0), 0u) << "a long section name: debug data";
    EXPECT_NE(name.rfind(".debug", 0), 0u) << name;
  }
  EXPECT_EQ(headers.FileHeader.PointerToSymbolTable, 0u);
}

}  // namespace
