#pragma once

#include <cstdint>
#include <string>
#include <utility>

// One entry of a scanned structure: a file or folder below the root, placed by its
// position in the structure list and its level (1 = directly in the root).
class clCompositionFolder {
 public:
  clCompositionFolder() = default;
  clCompositionFolder(int16_t level, std::string name, int16_t isFolder)
      : level(level), name(std::move(name)), isFolder(isFolder) {}

  int16_t GetLevel() const { return level; }
  void SetLevel(int16_t value) { level = value; }
  std::string GetName() const { return name; }
  // The name read in place; GetName hands out a copy.
  const std::string& Name() const { return name; }
  void SetName(std::string value) { name = std::move(value); }
  int16_t GetIsFolder() const { return isFolder; }
  void SetIsFolder(int16_t value) { isFolder = value; }

 private:
  int16_t level = 0;
  std::string name;
  int16_t isFolder = 0;
};
