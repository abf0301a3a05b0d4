#include "cltreegenerator.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kMaxDepth = 14;

// A small deterministic generator, so every machine builds the same tree.
struct Lcg {
  uint64_t state;
  uint32_t Next(uint32_t bound) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>((state >> 33) % bound);
  }
};

const char* const kJapaneseStems[] = {"資料", "報告書", "フォルダ", "設計", "議事録", "ﾃｽﾄ"};
const char* const kAsciiStems[] = {"report", "data", "image", "notes", "build", "archive"};
const char* const kExtensions[] = {".txt", ".csv", ".png", ".docx", ".log", ".xlsx"};

std::string Name(Lcg& random, int index, bool folder) {
  const bool japanese = random.Next(3) == 0;
  std::string name = japanese ? kJapaneseStems[random.Next(6)] : kAsciiStems[random.Next(6)];
  name += '_';
  name += std::to_string(index);
  if (!folder) name += kExtensions[random.Next(6)];
  return name;
}

void Touch(const std::string& path) {
  const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
  if (fd < 0) throw std::runtime_error("cannot create " + path);
  ::close(fd);
}

}  // namespace

uint64_t clTreeGenerator::Ensure(const std::string& root, uint64_t entries) {
  const std::string marker = root + ".done";
  {
    std::ifstream done(marker);
    uint64_t made = 0;
    if (done >> made && made > 0) return made;
  }
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root);

  // Grows the tree from a frontier of folders picked at random, so that branches reach
  // different depths, until the wanted number of entries exists.
  struct Folder {
    std::string path;
    int depth;
  };
  std::vector<Folder> frontier{{root, 0}};
  Lcg random{0x4b4458ULL + entries};
  uint64_t made = 0;
  while (made < entries && !frontier.empty()) {
    const std::size_t pick = random.Next(static_cast<uint32_t>(frontier.size()));
    const Folder folder = frontier[pick];
    frontier[pick] = frontier.back();
    frontier.pop_back();

    const int files = 8 + static_cast<int>(random.Next(9));  // 8..16, about 12
    const int subfolders = folder.depth < kMaxDepth ? 1 + static_cast<int>(random.Next(5)) : 0;
    for (int i = 0; i < files && made < entries; ++i, ++made) {
      Touch(folder.path + "/" + Name(random, i, false));
    }
    for (int i = 0; i < subfolders && made < entries; ++i, ++made) {
      const std::string path = folder.path + "/" + Name(random, i, true);
      if (::mkdir(path.c_str(), 0755) != 0) throw std::runtime_error("cannot create " + path);
      frontier.push_back({path, folder.depth + 1});
    }
  }
  std::ofstream(marker) << made << "\n";
  return made;
}
