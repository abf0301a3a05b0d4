#include "output/cloutputtargets.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "bytesdiff.h"
#include "cltemptree.h"
#include "output/clcsvwriter.h"
#include "output/cltextwriter.h"
#include "outputtestkit.h"

// What every writer call shares: how it opens, appends to and closes its file, and when
// it touches the clipboard. Each behaviour runs through all three writers.

namespace {

using WriterCall = bool (*)(const clOutputContext&, bool, bool);

struct Writer {
  const char* name;
  WriterCall call;
  const char* extension;
  std::string beforeFirstEntry;  // what the example's output holds before its first entry
  std::string controlBytes;      // the output for a root and a name with control bytes
  std::string controlBytesClipboard;
};

const Writer kWriters[] = {
    {"csv", &clCsvWriter::WriteCsvList, ".csv", "/A\r\n", "/r?oot\r\n,a?b?c\r\n",
     "/r?oot\r\n\ta?b?c\r\n"},
    {"text", &clTextWriter::WriteTextList, ".txt", "\r\n    /A\r\n",
     "\r\n    /r?oot\r\n        |\r\n        |--------a?b?c\r\n",
     "\r\n    /r?oot\r\n        |\r\n        |--------a?b?c\r\n"},
    {"short text", &clTextWriter::WriteShortTextList, ".txt", "/A\r\n",
     "/r?oot\r\n    |----a?b?c\r\n", "/r?oot\r\n    |----a?b?c\r\n"},
};

}  // namespace

TEST(clOutputTargets, AppendsToAnExistingFile) {
  for (const Writer& writer : kWriters) {
    SCOPED_TRACE(writer.name);
    clTempTree out{std::string("KDX_1") + writer.extension + "=old\r\n"};
    clOutputBench bench;
    bench.outputBasePath = out.Path("KDX_1");
    ASSERT_TRUE(writer.call(bench.Context(), true, false));
    EXPECT_BYTES("old\r\n" + writer.beforeFirstEntry,
                 clTempTree::ReadFile(out.Path(std::string("KDX_1") + writer.extension)));
    EXPECT_FALSE(bench.report.clipboardReady);
  }
}

TEST(clOutputTargets, ClipboardAloneCreatesNoFile) {
  for (const Writer& writer : kWriters) {
    SCOPED_TRACE(writer.name);
    clTempTree out;
    clOutputBench bench;
    bench.outputBasePath = out.Path("KDX_1");
    ASSERT_TRUE(writer.call(bench.Context(), false, true));
    EXPECT_FALSE(clTempTree::Exists(out.Path(std::string("KDX_1") + writer.extension)));
    ASSERT_TRUE(bench.report.clipboardReady);
    EXPECT_BYTES(writer.beforeFirstEntry, bench.report.clipboardText);
    // The clipboard is reached through the worker, so it is set on the main thread.
  }
}

TEST(clOutputTargets, FailedOpenTouchesNeitherTarget) {
  for (const Writer& writer : kWriters) {
    SCOPED_TRACE(writer.name);
    clTempTree out;
    clOutputBench bench;
    bench.UseExample();
    bench.outputBasePath = out.Path("missing/KDX_1");
    bench.report.clipboardText = "from the last call";
    EXPECT_FALSE(writer.call(bench.Context(), true, true));
    EXPECT_TRUE(bench.report.clipboardText.empty());
    EXPECT_FALSE(bench.report.clipboardReady);
    EXPECT_EQ(bench.worker.counts, 0);
    EXPECT_FALSE(clTempTree::Exists(out.Path("missing")));
  }
}

// A stop before the first entry (a stop that came while the walk was ending) and a stop
// while the second entry's progress shows: the file keeps what was written, the
// clipboard is left alone.
TEST(clOutputTargets, StopLeavesAPartialFileAndTheClipboardUnchanged) {
  for (const Writer& writer : kWriters) {
    for (int stopAt : {0, 2}) {
      SCOPED_TRACE(std::string(writer.name) + " stop at " + std::to_string(stopAt));
      clTempTree out;
      clOutputBench bench;
      bench.UseExample();
      bench.outputBasePath = out.Path("KDX_1");
      bench.worker.stopped = stopAt == 0;
      bench.worker.stopAtCount = stopAt;
      EXPECT_FALSE(writer.call(bench.Context(), true, true));
      EXPECT_EQ(bench.worker.counts, stopAt);
      const std::string file =
          clTempTree::ReadFile(out.Path(std::string("KDX_1") + writer.extension));
      if (stopAt == 0) {
        EXPECT_BYTES(writer.beforeFirstEntry, file);
      } else {
        // The first entry is complete, nothing of the second is there.
        EXPECT_NE(file.find("a.txt\r\n"), std::string::npos) << file;
        EXPECT_EQ(file.find("B"), std::string::npos) << file;
      }
      EXPECT_FALSE(bench.report.clipboardReady);
    }
  }
}

TEST(clOutputTargets, ControlBytesInNamesBecomeQuestionMarks) {
  for (const Writer& writer : kWriters) {
    SCOPED_TRACE(writer.name);
    clTempTree out;
    clOutputBench bench;
    bench.rootPath = "/r\toot";
    bench.list = {{1,
                   "a\nb\x7f"
                   "c",
                   0}};
    bench.outputBasePath = out.Path("KDX_1");
    ASSERT_TRUE(writer.call(bench.Context(), true, false));
    EXPECT_BYTES(writer.controlBytes,
                 clTempTree::ReadFile(out.Path(std::string("KDX_1") + writer.extension)));
    ASSERT_TRUE(writer.call(bench.Context(), false, true));
    EXPECT_BYTES(writer.controlBytesClipboard, bench.report.clipboardText);
    EXPECT_EQ(bench.list[0].GetName(),
              "a\nb\x7f"
              "c");  // the list keeps the raw name
  }
}

// A full disk: the file opens but its bytes cannot be written. The writer reports the
// failure and leaves the clipboard alone, even when the clipboard text was complete.
TEST(clOutputTargets, WriteErrorIsReportedAsFailure) {
  if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "/dev/full is not writable here";
  for (const Writer& writer : kWriters) {
    SCOPED_TRACE(writer.name);
    clTempTree out;
    clOutputBench bench;
    bench.UseExample();
    bench.outputBasePath = out.Path("KDX_1");
    ASSERT_EQ(::symlink("/dev/full", out.Path(std::string("KDX_1") + writer.extension).c_str()), 0);
    EXPECT_FALSE(writer.call(bench.Context(), true, true));
    EXPECT_FALSE(bench.report.clipboardReady);
  }
}
