#include "scan/clfindinfolders.h"

#ifndef _WIN32
#include <fcntl.h>
#include <pthread.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>
#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "bytesdiff.h"
#include "clfakeplatform.h"
#include "cltemptree.h"
#include "platform/clpath.h"

namespace {

struct Filters {
  bool subFolder = true;
  bool winFolder = true;
  bool hideFile = false;
  bool readOnlyFile = false;
  // Folders listed ahead: off where a test watches the order of the listings.
  bool readAhead = false;
};

// Prepares a walker as a read does: emptied, level 1, the four filters.
void Prepare(clFindInFolders& walker, const Filters& filters = {}) {
  walker.SetReadAhead(filters.readAhead ? clReadAhead::Limits{}
                                        : clReadAhead::Limits{.threads = 0});
  walker.Clear();
  walker.SetLevel(1);
  walker.SetSubFolder(filters.subFolder);
  walker.SetHideFile(filters.hideFile);
  walker.SetWinFolder(filters.winFolder);
  walker.SetReadOnlyFile(filters.readOnlyFile);
}

// The list as "level D|F name" lines, in list order.
std::string Listing(const clFindInFolders& walker) {
  std::string out;
  for (const auto& entry : walker.GetFolderList()) {
    out += std::to_string(entry.GetLevel()) + (entry.GetIsFolder() ? " D " : " F ") +
           entry.GetName() + "\n";
  }
  return out;
}

// The list as "D|F relative/path" lines, each path rebuilt from the levels (so a list out
// of pre-order gives wrong paths), sorted: real file systems choose their own order.
std::vector<std::string> Paths(const clFindInFolders& walker) {
  std::vector<std::string> ancestors, out;
  for (const auto& entry : walker.GetFolderList()) {
    const auto level = static_cast<std::size_t>(entry.GetLevel());
    EXPECT_GE(level, 1u);
    EXPECT_LE(level, ancestors.size() + 1) << entry.GetName();
    ancestors.resize(std::min(level - 1, ancestors.size()));
    std::string path;
    for (const auto& name : ancestors) path += name + "/";
    path += entry.GetName();
    out.push_back((entry.GetIsFolder() ? "D " : "F ") + path);
    ancestors.push_back(entry.GetName());
  }
  std::sort(out.begin(), out.end());
  return out;
}

using Lines = std::vector<std::string>;

// A path of the fake tree as the walk composes it: on Windows it joins names with "\\".
std::string Native(std::string path) {
  std::replace(path.begin() + 1, path.end(), '/', clPath::kSeparator);
  return path;
}

Lines Native(Lines paths) {
  for (std::string& path : paths) path = Native(path);
  return paths;
}

}  // namespace

// ---- The walk over an in-memory tree ----

TEST(clFindInFolders, WalksPreOrderInEnumerationOrder) {
  clFakePlatform fake{"/r/b", "/r/a/", "/r/a/z", "/r/a/e/", "/r/a/y", "/r/c/"};
  clFindInFolders walker(fake);
  Prepare(walker);
  EXPECT_TRUE(walker.Search("/r"));
  EXPECT_BYTES("1 F b\n1 D a\n2 F z\n2 D e\n2 F y\n1 D c\n", Listing(walker));
  EXPECT_EQ(walker.GetLastFolder(), "/r");
  EXPECT_EQ(fake.ReadLog(), Native(Lines{"/r", "/r/a", "/r/a/e", "/r/c"}));

  // The next read starts from an empty list.
  Prepare(walker);
  EXPECT_TRUE(walker.Search("/r/a"));
  EXPECT_BYTES("1 F z\n1 D e\n1 F y\n", Listing(walker));
}

TEST(clFindInFolders, HiddenAndReadOnlyItemsAreLeftOutWithTheirSubtrees) {
  clFakePlatform fake{"/r/.h/",   "/r/.h/in/",    "/r/.h/in/f", "ro:/r/ro/", "/r/ro/f",
                      "ro:/r/rf", "hidden:/r/hf", "/r/v/",      "/r/v/.x"};
  struct Case {
    bool hideFile, readOnlyFile;
    const char* listing;
  };
  const Case cases[] = {
      {false, false, "1 D v\n"},
      {true, false, "1 D .h\n2 D in\n3 F f\n1 F hf\n1 D v\n2 F .x\n"},
      {false, true, "1 D ro\n2 F f\n1 F rf\n1 D v\n"},
      {true, true, "1 D .h\n2 D in\n3 F f\n1 D ro\n2 F f\n1 F rf\n1 F hf\n1 D v\n2 F .x\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "hideFile " << c.hideFile << ", readOnlyFile " << c.readOnlyFile);
    clFindInFolders walker(fake);
    Prepare(walker, {.hideFile = c.hideFile, .readOnlyFile = c.readOnlyFile});
    EXPECT_TRUE(walker.Search("/r"));
    EXPECT_BYTES(c.listing, Listing(walker));
  }
}

TEST(clFindInFolders, WithoutSubfoldersListsFoldersWithoutEnteringThem) {
  clFakePlatform fake{"/r/a/", "/r/a/x", "/r/b", "/r/c/"};
  clFindInFolders walker(fake);
  Prepare(walker, {.subFolder = false});
  EXPECT_TRUE(walker.Search("/r"));
  EXPECT_BYTES("1 D a\n1 F b\n1 D c\n", Listing(walker));
  EXPECT_EQ(fake.ReadLog(), Native(Lines{"/r"}));
}

TEST(clFindInFolders, LeavesOutEveryPathThatBeginsWithTheSystemFolder) {
  clFakePlatform fake{"/proc/", "/proc/1/", "/procfoo/", "/procfoo/x", "/pro/",
                      "/pro/x", "/Proc/",   "/home/",    "/home/proc", "/home/proc2/"};
  clFindInFolders walker(fake);
  Prepare(walker, {.winFolder = false});
  walker.SetWindowsDirectory("/proc");
  EXPECT_TRUE(walker.Search("/"));
  // "/home/proc" does not begin with "/proc". On Windows a path names a folder whatever
  // its case, and "/Proc" is left out too; elsewhere case matters.
#ifdef _WIN32
  EXPECT_BYTES("1 D pro\n2 F x\n1 D home\n2 F proc\n2 D proc2\n", Listing(walker));
  EXPECT_EQ(fake.ReadLog(), Native(Lines{"/", "/pro", "/home", "/home/proc2"}));
#else
  EXPECT_BYTES("1 D pro\n2 F x\n1 D Proc\n1 D home\n2 F proc\n2 D proc2\n", Listing(walker));
  // Children of "/" are joined without a doubled separator.
  EXPECT_EQ(fake.ReadLog(), Native(Lines{"/", "/pro", "/Proc", "/home", "/home/proc2"}));
#endif
  EXPECT_EQ(walker.GetLastFolder(), "/");

  // With the system folder included, it is walked like any other.
  Prepare(walker);
  walker.SetWindowsDirectory("/proc");
  EXPECT_TRUE(walker.Search("/"));
  EXPECT_NE(Listing(walker).find("1 D proc\n2 D 1\n1 D procfoo\n2 F x\n"), std::string::npos)
      << Listing(walker);
}

TEST(clFindInFolders, WithoutTheSystemFolderPathTheWalkEndsAtOnce) {
  clFakePlatform fake{"/r/.h", "/r/a/", "/r/b"};
  clFindInFolders walker(fake);
  std::vector<std::string> shown;
  walker.SetMessageBox([&](const std::string& text, const std::string& caption) {
    shown.push_back(caption + "|" + text);
  });
  Prepare(walker, {.winFolder = false});
  EXPECT_FALSE(walker.Search("/r"));
  EXPECT_EQ(shown, (Lines{"異常|異常が発生しました。WindowsDirectoryが不明です。"}));
  EXPECT_TRUE(walker.GetFolderList().empty());
  EXPECT_EQ(walker.GetLastFolder(), "");
  EXPECT_EQ(fake.ReadLog(), Native(Lines{"/r"}));

  // Only when the system folder is to be left out does its path matter.
  shown.clear();
  Prepare(walker, {.winFolder = true});
  EXPECT_TRUE(walker.Search("/r"));
  EXPECT_TRUE(shown.empty());
  EXPECT_BYTES("1 D a\n1 F b\n", Listing(walker));

  // Without a message box the walk still ends with false.
  clFindInFolders silent(fake);
  Prepare(silent, {.winFolder = false});
  EXPECT_FALSE(silent.Search("/r"));
  EXPECT_TRUE(silent.GetFolderList().empty());
}

TEST(clFindInFolders, AStopThatTheRootNoticesEndsTheWalkWithFalse) {
  clFakePlatform fake{"/r/a/", "/r/a/x", "/r/a/s/", "/r/a/s/deep", "/r/a/s/t/", "/r/a/y", "/r/b"};
  clFindInFolders walker(fake);
  fake.SetBeforeRead([&](const std::string& folder) {
    if (folder == Native("/r/a/s")) walker.stopRequested = true;
  });
  Prepare(walker);
  EXPECT_FALSE(walker.Search("/r"));
  // Every level stops at its next item: nothing after the request, no partial entry.
  EXPECT_BYTES("1 D a\n2 F x\n2 D s\n", Listing(walker));
  EXPECT_EQ(walker.GetLastFolder(), "/r");
  EXPECT_TRUE(walker.stopRequested);

  // Clear withdraws the request.
  fake.SetBeforeRead(nullptr);
  Prepare(walker);
  EXPECT_TRUE(walker.Search("/r"));
  EXPECT_BYTES("1 D a\n2 F x\n2 D s\n3 F deep\n3 D t\n2 F y\n1 F b\n", Listing(walker));
}

TEST(clFindInFolders, AStopInsideTheRootsLastSubtreeEndsTheWalkWithTrue) {
  clFakePlatform fake{"/r/b", "/r/a/", "/r/a/x", "/r/a/s/", "/r/a/s/deep"};
  clFindInFolders walker(fake);
  fake.SetBeforeRead([&](const std::string& folder) {
    if (folder == Native("/r/a/s")) walker.stopRequested = true;
  });
  Prepare(walker);
  EXPECT_TRUE(walker.Search("/r"));
  EXPECT_BYTES("1 F b\n1 D a\n2 F x\n2 D s\n", Listing(walker));
  EXPECT_EQ(walker.GetLastFolder(), "/r");
}

TEST(clFindInFolders, AStopIsSeenAtTheDotEntries) {
  // An empty root yields only "." and "..": the stop test sees them before the name test
  // skips them. Without them there is no item at which to notice the stop.
  for (const bool dots : {true, false}) {
    SCOPED_TRACE(dots ? "with dot entries" : "without dot entries");
    clFakePlatform fake{"/r/"};
    fake.SetDotEntries(dots);
    clFindInFolders walker(fake);
    fake.SetBeforeRead([&](const std::string&) { walker.stopRequested = true; });
    Prepare(walker);
    EXPECT_EQ(walker.Search("/r"), !dots);
    EXPECT_TRUE(walker.GetFolderList().empty());
    EXPECT_EQ(walker.GetLastFolder(), "/r");
  }
}

TEST(clFindInFolders, FoldersThatCannotBeReadAreListedWithoutContents) {
  clFakePlatform fake{"locked:/r/l/", "/r/l/x",      "error@1:/r/e/",
                      "/r/e/first",   "/r/e/second", "/r/after"};
  clFindInFolders walker(fake);
  Prepare(walker);
  EXPECT_TRUE(walker.Search("/r"));
  EXPECT_BYTES("1 D l\n1 D e\n2 F first\n1 F after\n", Listing(walker));

  // A root that cannot be read: an empty list, true, and the root kept.
  Prepare(walker);
  EXPECT_TRUE(walker.Search("/r/l"));
  EXPECT_TRUE(walker.GetFolderList().empty());
  EXPECT_EQ(walker.GetLastFolder(), "/r/l");
}

TEST(clFindInFolders, AFolderMetAgainThroughALinkIsListedButNotEnteredAgain) {
  // Every folder links to the others' parents, as /sys does: entering each link would
  // multiply the paths with every level. A real folder is entered all the same.
  clFakePlatform fake{"/r/a/",
                      "/r/a/x",
                      "/r/a/l1 -> /r/b/",
                      "/r/a/l2 -> /r/c/",
                      "/r/b/",
                      "/r/b/y",
                      "/r/b/l1 -> /r/a/",
                      "/r/b/l2 -> /r/c/",
                      "/r/c/l1 -> /r/a/",
                      "/r/c/l2 -> /r/b/",
                      "/r/c/up -> /r/",
                      "/r/c/z"};
  clFindInFolders walker(fake);
  Prepare(walker);
  EXPECT_TRUE(walker.Search("/r"));
  // a's link to b enters b (first met there), and b's link to c enters c; links to a
  // folder open above are loops, and links to folders entered already are not entered.
  EXPECT_BYTES(
      "1 D a\n2 F x\n2 D l1\n3 F y\n3 D l1\n3 D l2\n4 D l1\n4 D l2\n4 D up\n4 F z\n"
      "2 D l2\n1 D b\n2 F y\n2 D l1\n2 D l2\n1 D c\n2 D l1\n2 D l2\n2 D up\n2 F z\n",
      Listing(walker));
  EXPECT_EQ(fake.ReadLog(), Native(Lines{"/r", "/r/a", "/r/a/l1", "/r/a/l1/l2", "/r/b", "/r/c"}));
}

TEST(clFindInFolders, AFolderReachedFirstThroughALinkKeepsItsContentsInItsOwnPlace) {
  // The link sorts before its target: the target's items show under both, never as an
  // empty folder; a second link to it is listed only.
  clFakePlatform fake{"/r/a_link -> /r/b_real/", "/r/b_real/x",        "/r/b_real/sub/",
                      "/r/b_real/sub/y",         "/r/c -> /r/b_real/", "/r/d -> /r/b_real/sub/"};
  for (const bool readAhead : {false, true}) {
    SCOPED_TRACE(readAhead ? "with read-ahead" : "without read-ahead");
    clFindInFolders walker(fake);
    Prepare(walker, {.readAhead = readAhead});
    EXPECT_TRUE(walker.Search("/r"));
    EXPECT_BYTES(
        "1 D a_link\n2 F x\n2 D sub\n3 F y\n1 D b_real\n2 F x\n2 D sub\n3 F y\n1 D c\n1 D d\n",
        Listing(walker));
  }
}

TEST(clFindInFolders, LinksThatDoubleAtEveryLevelAddOnlyWhatTheyLeadTo) {
  // d0 to d11, each with two links to the next: entered through every link, the tree
  // would hold 2^12 paths.
  clFakePlatform fake;
  const int depth = 12;
  for (int i = 0; i < depth; ++i) {
    const std::string next = "/r/d" + std::to_string(i + 1) + "/";
    fake.Add("/r/d" + std::to_string(i) + "/f");
    fake.Add("/r/d" + std::to_string(i) + "/p -> " + next);
    fake.Add("/r/d" + std::to_string(i) + "/q -> " + next);
  }
  fake.Add("/r/d" + std::to_string(depth) + "/");
  for (const bool readAhead : {false, true}) {
    SCOPED_TRACE(readAhead ? "with read-ahead" : "without read-ahead");
    clFindInFolders walker(fake);
    Prepare(walker, {.readAhead = readAhead});
    EXPECT_TRUE(walker.Search("/r"));
    // Each folder's own three items, and once more through the first link to it: the
    // chain d1 to d12 below d0's p, and nothing below any other link.
    const std::size_t folders = depth + 1;
    EXPECT_EQ(walker.GetFolderList().size(), folders + 3 * depth + 3 * (depth - 1));
    // The root, every folder, and all but d0 once more through a link.
    if (!readAhead) {
      EXPECT_EQ(fake.ReadLog().size(), 1 + folders + depth);
    }
  }
}

TEST(clFindInFolders, TheSystemFolderIsLeftOutWhateverPathLeadsToIt) {
  clFakePlatform fake{"/proc/1/",    "/tmp/",          "/tmp/f",          "/r/p -> /proc/",
                      "/r/top -> /", "/r/pp -> /r/p/", "/r/procx -> /r/", "/r/f"};
  struct Case {
    const char* root;
    const char* listing;
  };
  const Case cases[] = {
      // Through links to it, to a link to it, and to "/" (whose "proc" is the same folder).
      {"/r", "1 D top\n2 D tmp\n3 F f\n2 D r\n1 D procx\n1 F f\n"},
      {"/tmp/..", "1 D tmp\n2 F f\n1 D r\n2 D top\n2 D procx\n2 F f\n"},
      {"//", "1 D tmp\n2 F f\n1 D r\n2 D top\n2 D procx\n2 F f\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.root);
    clFindInFolders walker(fake);
    Prepare(walker, {.winFolder = false});
    walker.SetWindowsDirectory("/proc");
    EXPECT_TRUE(walker.Search(c.root));
    EXPECT_BYTES(c.listing, Listing(walker));
  }
  // With the system folder included, the links are followed into it.
  clFindInFolders walker(fake);
  Prepare(walker);
  EXPECT_TRUE(walker.Search("/r"));
  EXPECT_NE(Listing(walker).find("1 D p\n2 D 1\n"), std::string::npos) << Listing(walker);
}

// ---- The walk over real folders ----

// On Windows the links are reparse points.
TEST(clFindInFolders, LinksBackUpTheBranchAreListedButNotEntered) {
  clTempTree tree{"a/", "a/f", "loop -> .", "a/up -> ..", "a/self -> ../a", "b/"};
  clFindInFolders walker;
  Prepare(walker, {.readAhead = true});
  EXPECT_TRUE(walker.Search(tree.Root()));
  EXPECT_EQ(Paths(walker), (Lines{"D a", "D a/self", "D a/up", "D b", "D loop", "F a/f"}));
}

#ifndef _WIN32

TEST(clFindInFolders, ALinkToAFolderIsEnteredAndADanglingLinkIsAFile) {
  clTempTree tree{"t/", "t/in", "l -> t", "dang -> missing", "m -> t"};
  clFindInFolders walker;
  Prepare(walker, {.readAhead = true});
  EXPECT_TRUE(walker.Search(tree.Root() + "/"));
  // The folder is entered in its own place and through the first link to it.
  EXPECT_EQ(Paths(walker), (Lines{"D l", "D m", "D t", "F dang", "F l/in", "F t/in"}));
  EXPECT_EQ(walker.GetLastFolder(), tree.Root() + "/");
}

TEST(clFindInFolders, ALinkToTheRealSystemFolderIsLeftOut) {
  clTempTree tree{"p -> /proc", "pp -> p", "f"};
  clFindInFolders walker;
  Prepare(walker, {.winFolder = false, .readAhead = true});
  walker.SetWindowsDirectory("/proc");
  EXPECT_TRUE(walker.Search(tree.Root()));
  EXPECT_EQ(Paths(walker), (Lines{"F f"}));
}

TEST(clFindInFolders, NamesAreKeptByteForByte) {
  clTempTree tree{"日本語/", "日本語/\x83\x5e\x83\x43", "a\nb", "\x01", "sp ace, \"q\"\t"};
  clFindInFolders walker;
  Prepare(walker, {.readAhead = true});
  EXPECT_TRUE(walker.Search(tree.Root()));
  Lines expected{"D 日本語", "F \x01", "F a\nb", "F sp ace, \"q\"\t", "F 日本語/\x83\x5e\x83\x43"};
  std::sort(expected.begin(), expected.end());
  std::string joined;
  for (const auto& line : expected) joined += line + "\n";
  std::string actual;
  for (const auto& line : Paths(walker)) actual += line + "\n";
  EXPECT_BYTES(joined, actual);
}

TEST(clFindInFolders, UnreadableRealFolderIsListedWithoutContents) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every folder";
  clTempTree tree{"s/", "s/x", "b"};
  ASSERT_EQ(::chmod(tree.Path("s").c_str(), 0), 0);
  clFindInFolders walker;
  Prepare(walker, {.readOnlyFile = true, .readAhead = true});
  EXPECT_TRUE(walker.Search(tree.Root()));
  EXPECT_EQ(Paths(walker), (Lines{"D s", "F b"}));
}

namespace {

// Lowers the soft limit of open files for the life of the object.
class OpenFileLimit {
 public:
  explicit OpenFileLimit(rlim_t limit) {
    ::getrlimit(RLIMIT_NOFILE, &saved);
    rlimit lowered = saved;
    lowered.rlim_cur = std::min(limit, saved.rlim_max);
    ok = ::setrlimit(RLIMIT_NOFILE, &lowered) == 0;
  }
  ~OpenFileLimit() { ::setrlimit(RLIMIT_NOFILE, &saved); }
  bool ok = false;

 private:
  rlimit saved{};
};

// Makes a chain of `depth` nested folders named `name` below `root`, through handles, so
// that it may go deeper than a path can name.
void MakeChain(const std::string& root, int depth, const std::string& name = "a") {
  int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  for (int i = 0; i < depth; ++i) {
    ASSERT_EQ(::mkdirat(fd, name.c_str(), 0700), 0);
    const int next = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
    ::close(fd);
    ASSERT_GE(next, 0);
    fd = next;
  }
  ::close(fd);
}

void ExpectChain(const clFindInFolders& walker, std::size_t length, const std::string& name = "a") {
  const auto& list = walker.GetFolderList();
  ASSERT_EQ(list.size(), length);
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i].GetLevel() != static_cast<int16_t>(i + 1) || list[i].Name() != name ||
        list[i].GetIsFolder() != 1) {
      ADD_FAILURE() << "entry " << i << ": " << list[i].GetLevel() << " " << list[i].Name();
      return;
    }
  }
}

}  // namespace

TEST(clFindInFolders, ADeepChainNeedsNoMoreFileHandlesThanAFewFolders) {
  clTempTree tree;
  MakeChain(tree.Root(), 1500);
  clFindInFolders walker;
  Prepare(walker, {.readAhead = true});
  {
    OpenFileLimit limit(1024);
    ASSERT_TRUE(limit.ok);
    EXPECT_TRUE(walker.Search(tree.Root()));
  }
  ExpectChain(walker, 1500);
}

TEST(clFindInFolders, FoldersBeyondThePathLengthLimitAreReadLikeAnyOther) {
  // Short names in a deep chain, and long names in a shorter one: both compose paths far
  // longer than the system takes.
  const struct {
    std::string name;
    int depth;
  } chains[] = {{"a", 2100}, {std::string(250, 'n'), 40}};
  for (const auto& chain : chains) {
    SCOPED_TRACE(chain.name.size());
    ASSERT_GT((chain.name.size() + 1) * chain.depth, std::size_t{PATH_MAX});
    clTempTree tree;
    MakeChain(tree.Root(), chain.depth, chain.name);
    clFindInFolders walker;
    Prepare(walker, {.readAhead = true});
    EXPECT_TRUE(walker.Search(tree.Root()));
    ExpectChain(walker, chain.depth, chain.name);
  }
}

namespace {

// Runs `work` on a thread of its own whose stack holds 256 KiB: a walk that went down
// the thread's stack once per folder would overflow it some thousands of folders down.
void OnSmallStack(const std::function<void()>& work) {
  pthread_attr_t attributes;
  ASSERT_EQ(::pthread_attr_init(&attributes), 0);
  ASSERT_EQ(::pthread_attr_setstacksize(&attributes, 256 * 1024), 0);
  pthread_t thread;
  const int made = ::pthread_create(
      &thread, &attributes,
      [](void* call) -> void* {
        (*static_cast<const std::function<void()>*>(call))();
        return nullptr;
      },
      const_cast<std::function<void()>*>(&work));
  ::pthread_attr_destroy(&attributes);
  ASSERT_EQ(made, 0);
  ::pthread_join(thread, nullptr);
}

// Removes a chain that MakeChain made, from the bottom up, one handle at a time.
void RemoveChain(const std::string& root, int depth, const std::string& name = "a") {
  int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY);
  for (int i = 0; i < depth && fd >= 0; ++i) {
    const int next = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
    ::close(fd);
    fd = next;
  }
  for (int i = 0; i < depth && fd >= 0; ++i) {
    const int up = ::openat(fd, "..", O_RDONLY | O_DIRECTORY);
    ::close(fd);
    if (up >= 0) ::unlinkat(up, name.c_str(), AT_REMOVEDIR);
    fd = up;
  }
  if (fd >= 0) ::close(fd);
}

}  // namespace

TEST(clFindInFolders, AChainDeeperThanAnyWindowsPathIsWalkedOnASmallStack) {
  // 17,000 folders: more than the 32,767 characters of a Windows path can hold.
  const int depth = 17000;
  clTempTree tree;
  MakeChain(tree.Root(), depth);
  for (const bool readAhead : {false, true}) {
    SCOPED_TRACE(readAhead ? "with read-ahead" : "without read-ahead");
    clFindInFolders walker;
    Prepare(walker, {.readAhead = readAhead});
    bool result = false;
    OnSmallStack([&] { result = walker.Search(tree.Root()); });
    EXPECT_TRUE(result);
    ExpectChain(walker, depth);
    EXPECT_EQ(walker.GetLastFolder(), tree.Root());
  }
  RemoveChain(tree.Root(), depth);
}
#endif
