#include "output/cltextwriter.h"

#include <gtest/gtest.h>

#include <string>

#include "bytesdiff.h"
#include "cltemptree.h"
#include "output/clstringsink.h"
#include "outputtestkit.h"

namespace {

const std::string kFullExample =
    "\r\n"
    "    /A\r\n"
    "        |\r\n"
    "        |--------a.txt\r\n"
    "        |\r\n"
    "        |--------\\B\r\n"
    "        |            |\r\n"
    "        |            |--------b.txt\r\n";

const std::string kShortExample =
    "/A\r\n"
    "    |----a.txt\r\n"
    "    |----\\B\r\n"
    "    |        |----b.txt\r\n";

}  // namespace

// Both forms of the worked example, to the file and to the clipboard in one call: the
// same bytes reach both, and the clipboard gets them once, at the end.
TEST(clTextWriter, WritesTheExampleToFileAndClipboard) {
  struct Case {
    bool shortForm;
    const std::string& expected;
  };
  for (const Case& c : {Case{false, kFullExample}, Case{true, kShortExample}}) {
    SCOPED_TRACE(c.shortForm ? "short" : "full");
    clTempTree out;
    clOutputBench bench;
    bench.UseExample();
    bench.outputBasePath = out.Path("KDX_1");
    const clOutputContext context = bench.Context();
    const bool ok = c.shortForm ? clTextWriter::WriteShortTextList(context, true, true)
                                : clTextWriter::WriteTextList(context, true, true);
    ASSERT_TRUE(ok);
    EXPECT_BYTES(c.expected, clTempTree::ReadFile(out.Path("KDX_1.txt")));
    ASSERT_TRUE(bench.report.clipboardReady);
    EXPECT_BYTES(c.expected, bench.report.clipboardText);
    EXPECT_EQ(bench.worker.counts, 3);  // once per entry
    EXPECT_FALSE(clTempTree::Exists(out.Path("KDX_1.csv")));
  }
}

// Deeper levels: each further level adds its own piece to the indent; an empty folder is
// still listed with its mark; an empty list gives the root line(s) alone.
TEST(clTextWriter, IndentsDeepLevelsAndHandlesEmptyLists) {
  struct Case {
    const char* name;
    bool shortForm;
    clStructureList list;
    std::string expected;
  };
  const clStructureList deep = {{1, "x", 1}, {2, "y", 1}, {3, "z", 1}, {4, "f", 0}, {1, "e", 1}};
  const Case cases[] = {
      {"full, levels 3 and 4", false, deep,
       "\r\n    /A\r\n"
       "        |\r\n"
       "        |--------\\x\r\n"
       "        |            |\r\n"
       "        |            |--------\\y\r\n"
       "        |            |            |\r\n"
       "        |            |            |--------\\z\r\n"
       "        |            |            |            |\r\n"
       "        |            |            |            |--------f\r\n"
       "        |\r\n"
       "        |--------\\e\r\n"},
      {"short, levels 3 and 4", true, deep,
       "/A\r\n"
       "    |----\\x\r\n"
       "    |        |----\\y\r\n"
       "    |        |        |----\\z\r\n"
       "    |        |        |        |----f\r\n"
       "    |----\\e\r\n"},
      {"full, empty", false, {}, "\r\n    /A\r\n"},
      {"short, empty", true, {}, "/A\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clOutputBench bench;
    bench.list = c.list;
    std::string text;
    clStringSink sink(text);
    ASSERT_TRUE(clTextWriter::WriteTree(bench.Context(), c.shortForm, nullptr, &sink));
    EXPECT_BYTES(c.expected, text);
  }
}

// A stop in the middle of an entry's indent keeps the pieces written before it, in the
// file; the clipboard is left alone and the writer reports failure.
TEST(clTextWriter, StopInsideAnIndentLeavesThePiecesBeforeIt) {
  clTempTree out;
  clOutputBench bench;
  bench.list = {{1, "x", 1}, {2, "y", 1}, {3, "z", 0}};
  bench.outputBasePath = out.Path("KDX_1");
  bench.worker.stopInEntry = 3;  // z
  bench.worker.stopAtPiece = 2;  // before its indent's second piece
  EXPECT_FALSE(clTextWriter::WriteShortTextList(bench.Context(), true, true));
  EXPECT_BYTES(
      "/A\r\n"
      "    |----\\x\r\n"
      "    |        |----\\y\r\n"
      "    |",
      clTempTree::ReadFile(out.Path("KDX_1.txt")));
  EXPECT_FALSE(bench.report.clipboardReady);
}
