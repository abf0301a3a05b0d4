#include "clbenchreads.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <stdexcept>

#include "output/clcsvwriter.h"
#include "output/cltextwriter.h"
#include "scan/clfindinfolders.h"

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Walks like a read with the settings a fresh installation has.
void PrepareWalker(clFindInFolders& walker) {
  walker.Clear();
  walker.SetWindowsDirectory(DefaultFilePlatform().GetSystemFolder());
  walker.SetLevel(1);
  walker.SetSubFolder(true);
  walker.SetHideFile(false);
  walker.SetWinFolder(false);
  walker.SetReadOnlyFile(false);
}

// Progress counted on the worker's own thread, shown nowhere.
class CountingLink : public clWorkerLink {
 public:
  bool Terminated() const override { return false; }
  void CountOutput() override { ++count; }
  void Synchronize(const std::function<void()>& call) override { call(); }
  uint64_t count = 0;
};

struct NoClipboard : clClipboard {
  void SetAsText(const std::string&) override {}
};
struct NoShell : clShell {
  void Open(const std::string&) override {}
};
struct NoLabel : clStatusLabel {
  void SetText(const std::string&) override {}
};

}  // namespace

clBenchResult clBenchReads::Walk(const std::string& tree) {
  clFindInFolders walker;
  PrepareWalker(walker);
  const auto start = Clock::now();
  walker.Search(tree);
  clBenchResult result;
  result.seconds = Since(start);
  result.entries = walker.GetFolderList().size();
  return result;
}

clBenchResult clBenchReads::Core(const std::string& tree, const std::string& outputFolder) {
  clFindInFolders walker;
  PrepareWalker(walker);
  CountingLink link;
  NoClipboard clipboard;
  NoShell shell;
  NoLabel label;
  std::string clipboardText;
  std::string resultMessage;
  clSoftOption option;

  const auto start = Clock::now();
  walker.Search(tree);
  const clOutputContext context{walker.GetFolderList(),
                                walker.GetLastFolder(),
                                outputFolder + "/KDX_core",
                                clipboardText,
                                resultMessage,
                                option,
                                link,
                                clipboard,
                                shell,
                                label};
  const bool csv = clCsvWriter::WriteCsvList(context, true, false);
  const bool text = clTextWriter::WriteTextList(context, true, false);
  clBenchResult result;
  result.seconds = Since(start);
  result.entries = walker.GetFolderList().size();
  if (!csv || !text) throw std::runtime_error("core read: a writer failed");
  if (link.count != 2 * result.entries) throw std::runtime_error("core read: progress miscounted");
  return result;
}

clBenchResult clBenchReads::Tree(const std::string& tree, const std::string& outputFolder) {
  const std::string listing = outputFolder + "/tree.txt";
  const auto start = Clock::now();
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::execlp("tree", "tree", "-a", "-n", "--noreport", "-o", listing.c_str(), tree.c_str(),
             static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    throw std::runtime_error("tree: did not run (is it installed?)");
  }
  clBenchResult result;
  result.seconds = Since(start);
  std::ifstream lines(listing);
  std::string line;
  while (std::getline(lines, line)) ++result.entries;
  if (result.entries > 0) --result.entries;  // the root's own line
  return result;
}
