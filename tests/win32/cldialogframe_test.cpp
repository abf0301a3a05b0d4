#include "win32/cldialogframe.h"

#include <gtest/gtest.h>

// A dialog keeps inside the work area of its owner's monitor, which may lie left of or
// above the primary one (negative coordinates).
TEST(clDialogFrame, KeepsADialogInsideItsMonitorsWorkArea) {
  struct Case {
    int start, length, low, high, kept;
  };
  const Case cases[] = {
      {100, 300, 0, 1920, 100},         // inside: where centring put it
      {-200, 300, -1920, 0, -300},      // a monitor left of the first: not moved to 0
      {-1950, 300, -1920, 0, -1920},    // past its left edge
      {1800, 300, 0, 1920, 1620},       // past the right edge
      {-50, 3000, 0, 1920, 0},          // larger than the area: its start shows
      {-1100, 400, -1080, -40, -1080},  // a monitor above, below its task bar's top
  };
  for (const Case& c : cases) {
    EXPECT_EQ(clDialogFrame::KeptInside(c.start, c.length, c.low, c.high), c.kept)
        << c.start << " " << c.length << " in " << c.low << ".." << c.high;
  }
}
