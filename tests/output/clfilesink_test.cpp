#include "output/clfilesink.h"

#include <gtest/gtest.h>

#include <string>

#include "bytesdiff.h"
#include "cltemptree.h"

// Pieces small and large, across the buffer's edge and beyond its size, reach the file
// in order and complete.
TEST(clFileSink, WritesEveryPieceInOrder) {
  clTempTree out{"f.txt=head|"};
  clFileSink sink;
  ASSERT_TRUE(sink.Open(out.Path("f.txt")));
  std::string expected = "head|";
  const std::size_t sizes[] = {1,
                               100,
                               clFileSink::kBufferSize - 50,
                               300,
                               3 * clFileSink::kBufferSize,
                               7,
                               clFileSink::kBufferSize};
  char fill = 'a';
  for (std::size_t size : sizes) {
    const std::string piece(size, fill++);
    sink.Write(piece);
    expected += piece;
  }
  ASSERT_TRUE(sink.Close());
  const std::string written = clTempTree::ReadFile(out.Path("f.txt"));
  ASSERT_EQ(written.size(), expected.size());
  EXPECT_TRUE(written == expected);
}

TEST(clFileSink, OpenFailsOnAFolderOrAMissingFolder) {
  clTempTree out{"sub/"};
  clFileSink sink;
  EXPECT_FALSE(sink.Open(out.Path("sub")));
  EXPECT_FALSE(sink.Open(out.Path("missing/f.txt")));
  EXPECT_FALSE(sink.IsOpen());
}
