#include "cltemptree.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace {

void MakeParents(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash != std::string::npos && slash > 0) fs::create_directories(path.substr(0, slash));
}

void MakeWritable(const fs::path& path) {
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(
           path, fs::directory_options::skip_permission_denied, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (!it->is_symlink()) ::chmod(it->path().c_str(), 0700);
  }
}

}  // namespace

clTempTree::clTempTree() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/kdx-test-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!::mkdtemp(buffer.data())) throw std::runtime_error("mkdtemp failed");
  root = buffer.data();
}

clTempTree::clTempTree(std::initializer_list<std::string> lines) : clTempTree() { Build(lines); }

clTempTree::~clTempTree() {
  ::chmod(root.c_str(), 0700);
  MakeWritable(root);
  MakeWritable(root);  // a folder made writable may reveal more below it
  std::error_code error;
  fs::remove_all(root, error);
}

void clTempTree::Add(const std::string& line) {
  if (line.rfind("ro:", 0) == 0) {
    std::string target = Path(line.substr(3));
    if (!target.empty() && target.back() == '/') target.pop_back();
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0) throw std::runtime_error("no such item: " + line);
    ::chmod(target.c_str(), info.st_mode & ~mode_t{S_IWUSR} & 07777);
    return;
  }
  const auto arrow = line.find(" -> ");
  if (arrow != std::string::npos) {
    const std::string link = Path(line.substr(0, arrow));
    MakeParents(link);
    fs::create_symlink(line.substr(arrow + 4), link);
    return;
  }
  if (!line.empty() && line.back() == '/') {
    fs::create_directories(Path(line.substr(0, line.size() - 1)));
    return;
  }
  const auto equals = line.find('=');
  const std::string file = Path(line.substr(0, equals));
  MakeParents(file);
  std::ofstream out(file, std::ios::binary);
  if (equals != std::string::npos) out << line.substr(equals + 1);
  if (!out) throw std::runtime_error("cannot create " + file);
}

std::string clTempTree::ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool clTempTree::Exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}
