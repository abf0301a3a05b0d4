#include "output/clcsvwriter.h"

#include <gtest/gtest.h>

#include <string>

#include "bytesdiff.h"
#include "cltemptree.h"
#include "output/clstringsink.h"
#include "outputtestkit.h"

// The worked example: commas in the file, tabs on the clipboard, in one call.
TEST(clCsvWriter, WritesTheExampleToFileAndClipboard) {
  clTempTree out;
  clOutputBench bench;
  bench.UseExample();
  bench.outputBasePath = out.Path("KDX_1");
  ASSERT_TRUE(clCsvWriter::WriteCsvList(bench.Context(), true, true));
  EXPECT_BYTES("/A\r\n,a.txt\r\n,B\r\n,,b.txt\r\n", clTempTree::ReadFile(out.Path("KDX_1.csv")));
  const std::string table = "/A\r\n\ta.txt\r\n\tB\r\n\t\tb.txt\r\n";
  ASSERT_TRUE(bench.report.clipboardReady);
  EXPECT_BYTES(table, bench.report.clipboardText);
  EXPECT_EQ(bench.worker.counts, 3);
  EXPECT_FALSE(clTempTree::Exists(out.Path("KDX_1.txt")));
}

// Rows of other shapes: a level-4 entry, a comma kept as it stands (a CSV reader splits
// it, the table form keeps it in one cell), and an empty list.
TEST(clCsvWriter, WritesOneRowPerEntryAtItsDepth) {
  struct Case {
    const char* name;
    clStructureList list;
    std::string csv;
    std::string table;
  };
  const Case cases[] = {
      {"level 4",
       {{1, "x", 1}, {2, "y", 1}, {3, "z", 1}, {4, "f", 0}},
       "/A\r\n,x\r\n,,y\r\n,,,z\r\n,,,,f\r\n",
       "/A\r\n\tx\r\n\t\ty\r\n\t\t\tz\r\n\t\t\t\tf\r\n"},
      {"comma in a name", {{1, "a,b", 0}}, "/A\r\n,a,b\r\n", "/A\r\n\ta,b\r\n"},
      {"empty", {}, "/A\r\n", "/A\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clOutputBench bench;
    bench.list = c.list;
    std::string csv;
    std::string table;
    clStringSink csvSink(csv);
    clStringSink tableSink(table);
    ASSERT_TRUE(clCsvWriter::WriteRows(bench.Context(), &csvSink, &tableSink));
    EXPECT_BYTES(c.csv, csv);
    EXPECT_BYTES(c.table, table);
  }
}

// A stop between the separators of a row keeps those written before it.
TEST(clCsvWriter, StopInsideARowLeavesTheSeparatorsBeforeIt) {
  clTempTree out;
  clOutputBench bench;
  bench.list = {{1, "x", 1}, {2, "y", 1}, {3, "z", 0}};
  bench.outputBasePath = out.Path("KDX_1");
  bench.worker.stopInEntry = 3;  // z
  bench.worker.stopAtPiece = 2;  // before its second separator
  EXPECT_FALSE(clCsvWriter::WriteCsvList(bench.Context(), true, true));
  EXPECT_BYTES("/A\r\n,x\r\n,,y\r\n,", clTempTree::ReadFile(out.Path("KDX_1.csv")));
  EXPECT_FALSE(bench.report.clipboardReady);
}
