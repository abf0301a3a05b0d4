// The tree's lines in turn, the same on every system; each system's file makes them.
#include <string>
#include <vector>

#include "cltemptree.h"

// Read-only marks come last, so that nothing is added below a folder already marked.
void clTempTree::Build(std::initializer_list<std::string> lines) {
  std::vector<std::string> marks;
  for (const auto& line : lines) {
    if (line.rfind("ro:", 0) == 0) {
      marks.push_back(line);
    } else {
      Add(line);
    }
  }
  for (const auto& mark : marks) Add(mark);
}
