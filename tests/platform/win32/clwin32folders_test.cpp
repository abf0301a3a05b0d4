// The Windows listing below the walk: identities from the listing, links as reparse
// points, and the walk's list with folders listed ahead the same as without.
#include "platform/win32/clwin32folders.h"

#include "platform/win32/clwindows.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "bytesdiff.h"
#include "cltemptree.h"
#include "platform/cldelayedplatform.h"
#include "platform/win32/clsystemcodepage.h"
#include "platform/win32/clwin32platform.h"
#include "scan/clfindinfolders.h"

namespace {

std::wstring WidePath(const clTempTree& tree, const std::wstring& relative) {
  return clSystemCodePage::LongPath(clSystemCodePage::ToWide(tree.Root()) + L"\\" + relative);
}

// Makes folders and files below the tree by their wide names ("a/b/" a folder).
void MakeWide(const clTempTree& tree, std::wstring relative) {
  std::replace(relative.begin(), relative.end(), L'/', L'\\');
  const bool folder = relative.back() == L'\\';
  if (folder) relative.pop_back();
  for (std::size_t at = relative.find(L'\\'); at != std::wstring::npos;
       at = relative.find(L'\\', at + 1)) {
    ::CreateDirectoryW(WidePath(tree, relative.substr(0, at)).c_str(), nullptr);
  }
  const std::wstring path = WidePath(tree, relative);
  if (folder) {
    ::CreateDirectoryW(path.c_str(), nullptr);
    return;
  }
  const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << clSystemCodePage::FromWide(path);
  ::CloseHandle(file);
}

// A walker that takes everything in, with a pool of `threads` that starts at the first
// listing, however fast.
void Prepare(clFindInFolders& walker, unsigned threads, bool hidden = true,
             std::size_t folders = 1024) {
  clReadAhead::Limits limits{threads, folders, 8u << 20, std::chrono::microseconds(0),
                             std::chrono::microseconds(0)};
  limits.slowToStart = 1;
  walker.SetReadAhead(limits);
  walker.Clear();
  walker.SetLevel(1);
  walker.SetSubFolder(true);
  walker.SetHideFile(hidden);
  walker.SetWinFolder(true);
  walker.SetReadOnlyFile(true);
}

// The walker's list as "level D|F name" lines.
std::string ListOf(const clFindInFolders& walker) {
  std::string out;
  for (const auto& entry : walker.GetFolderList()) {
    out += std::to_string(entry.GetLevel()) + (entry.GetIsFolder() ? " D " : " F ") +
           entry.GetName() + "\n";
  }
  return out;
}

// The walk's result, list and last folder, as text.
std::string Walk(clFilePlatform& platform, const std::string& root, unsigned threads,
                 bool hidden = true, std::size_t folders = 1024) {
  clFindInFolders walker(platform);
  Prepare(walker, threads, hidden, folders);
  std::string out = walker.Search(root) ? "true\n" : "false\n";
  if (threads > 0) {
    EXPECT_GT(walker.GetReadAheadStats().listedAhead, 0u);
  }
  return out + ListOf(walker) + walker.GetLastFolder() + "\n";
}

// The Windows platform with listings held up as on a share; a folder named "gone" is
// removed just after its parent was listed, as when someone deletes it during the read.
class clShareLike : public clDelayedPlatform {
 public:
  clShareLike(clFilePlatform& inner, std::wstring gone)
      : clDelayedPlatform(inner, std::chrono::microseconds(300)), gone(std::move(gone)) {}
  bool ReadPlace(const clFolderPlace& place, std::vector<clFolderItem>& items,
                 const std::atomic<bool>& stop) override {
    const bool ok = clDelayedPlatform::ReadPlace(place, items, stop);
    const bool listsGone = std::any_of(
        items.begin(), items.end(), [](const clFolderItem& item) { return item.name == "gone"; });
    if (listsGone) ::RemoveDirectoryW(gone.c_str());
    ++listings;
    if (stopAt != 0 && listings == stopAt && walker != nullptr) walker->stopRequested = true;
    return ok;
  }
  std::atomic<int> listings{0};
  int stopAt = 0;
  clFindInFolders* walker = nullptr;

 private:
  const std::wstring gone;
};

}  // namespace

TEST(clWin32Folders, AListingGivesEachItemItsIdentityAndALinkThatOfWhatItLeadsTo) {
  clTempTree tree{"d/", "d/in", "f", "ld -> d"};
  clWin32Platform platform;
  std::vector<clFolderItem> items;
  ASSERT_TRUE(platform.ReadFolder(tree.Root(), items));
  std::map<std::string, clFolderItem> found;
  for (const auto& item : items) found[item.name] = item;
  ASSERT_EQ(found.count("d"), 1u);
  ASSERT_EQ(found.count("ld"), 1u);
  uint64_t device = 0, inode = 0;
  ASSERT_TRUE(platform.FolderIdentity(tree.Path("d"), device, inode));
  EXPECT_FALSE(found["d"].isLink);
  EXPECT_EQ(found["d"].device, device);
  EXPECT_EQ(found["d"].inode, inode);
  EXPECT_TRUE(found["ld"].isLink);
  EXPECT_TRUE(found["ld"].isFolder);
  EXPECT_EQ(found["ld"].device, device);
  EXPECT_EQ(found["ld"].inode, inode);
  EXPECT_FALSE(found["f"].isFolder);
}

TEST(clWin32Folders, TheListWithReadAheadIsTheListWithout) {
  clTempTree tree;
  for (int a = 0; a < 5; ++a) {
    for (int b = 0; b < 4; ++b) {
      MakeWide(tree, L"many" + std::to_wstring(a) + L"/sub" + std::to_wstring(b) + L"/f.txt");
    }
  }
  std::wstring deep;
  for (int level = 0; level < 30; ++level) deep += L"folder" + std::to_wstring(level) + L"_表/";
  for (const std::wstring& name :
       std::vector<std::wstring>{L"表/ソ/x.txt", L"ソフト/能力.txt", L"wave〜dash/inside.txt",
                                 L"x😀/first.txt", L"x😁/second.txt", L"x😂/", L"x😃/fourth.txt",
                                 L"vanish/gone/", L"vanish/kept.txt", deep + L"bottom.txt"}) {
    MakeWide(tree, name);
  }
  ASSERT_TRUE(::SetFileAttributesW(WidePath(tree, L"x😀").c_str(), FILE_ATTRIBUTE_HIDDEN));
  // Links back up the branch, to the root and across to a folder of its own place.
  tree.Add("links/in/up -> ..");
  tree.Add("links/in/top -> ../..");
  tree.Add("links/across -> ../\x95\x5C");          // 表
  tree.Add("a_first -> \x83\x5C\x83\x74\x83\x67");  // ソフト

  clWin32Platform platform;
  const std::wstring gone = WidePath(tree, L"vanish\\gone");
  for (const bool hidden : {false, true}) {
    SCOPED_TRACE(hidden ? "hidden included" : "hidden left out");
    clShareLike share(platform, gone);
    const std::string alone = Walk(share, tree.Root(), 0, hidden);
    // The walk went into the deep folders, the ones that read alike, and the links' targets.
    EXPECT_NE(alone.find("31 F bottom.txt\n"), std::string::npos) << alone;
    EXPECT_NE(alone.find("1 D x??\n2 F second.txt\n"), std::string::npos) << alone;
    EXPECT_EQ(alone.find("first.txt") != std::string::npos, hidden) << alone;
    EXPECT_NE(alone.find("1 D a_first\n2 F \x94\x5C\x97\xCD.txt\n"), std::string::npos) << alone;
    EXPECT_NE(alone.find("2 D gone\n2 F kept.txt\n"), std::string::npos) << alone;
    for (const unsigned threads : {4u, 1u}) {
      SCOPED_TRACE(threads);
      MakeWide(tree, L"vanish/gone/");
      EXPECT_BYTES(alone, Walk(share, tree.Root(), threads, hidden));
    }
    MakeWide(tree, L"vanish/gone/");
    EXPECT_BYTES(alone, Walk(share, tree.Root(), 3, hidden, 2));
    MakeWide(tree, L"vanish/gone/");
  }
}

TEST(clWin32Folders, AStopDuringReadAheadKeepsTheStartOfTheList) {
  clTempTree tree;
  for (int a = 0; a < 6; ++a) {
    for (int b = 0; b < 6; ++b) {
      MakeWide(tree, L"d" + std::to_wstring(a) + L"/e" + std::to_wstring(b) + L"/f.txt");
    }
  }
  clWin32Platform platform;
  clShareLike whole(platform, L"");
  const std::string all = Walk(whole, tree.Root(), 0);
  clShareLike share(platform, L"");
  clFindInFolders walker(share);
  share.walker = &walker;
  share.stopAt = 12;
  Prepare(walker, 4);
  EXPECT_FALSE(walker.Search(tree.Root()));
  const std::string found = ListOf(walker);
  EXPECT_LT(found.size(), all.size() - 6);
  EXPECT_EQ(all.compare(5, found.size(), found), 0) << found;
  EXPECT_EQ(walker.GetLastFolder(), tree.Root());
}
