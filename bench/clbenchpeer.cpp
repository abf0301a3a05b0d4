#include "clbenchpeer.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <stdexcept>

clBenchResult clBenchPeer::Tree(const std::string& folder, const std::string& outputFolder) {
  const std::string listing = outputFolder + "/tree.txt";
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("tree: cannot fork");
  if (pid == 0) {
    ::execlp("tree", "tree", "-a", "-n", "--noreport", "-o", listing.c_str(), folder.c_str(),
             static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error("tree failed (is it installed?)");
  }
  clBenchResult result;
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  // The peer's processor time: its process is this one's only child.
  rusage usage{};
  ::getrusage(RUSAGE_CHILDREN, &usage);
  result.processorSeconds =
      static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
      static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  std::ifstream lines(listing);
  std::string line;
  while (std::getline(lines, line)) ++result.entries;
  if (result.entries > 0) --result.entries;  // the root's own line
  return result;
}
