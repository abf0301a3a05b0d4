#include "output/cloutputrun.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bytesdiff.h"
#include "cltemptree.h"
#include "outputtestkit.h"

namespace {

struct Selection {
  bool csv = false;
  bool txt = false;
  bool clipboard = false;
  int32_t mode = 0;
};

void Select(clSoftOption& option, const Selection& s) {
  option.SetOutputCsv(s.csv);
  option.SetOutputTxt(s.txt);
  option.SetOutputClipboard(s.clipboard);
  option.SetClipboardMode(s.mode);
}

}  // namespace

// The summary for each combination of outputs and outcomes; the writers run for real
// against a fresh folder, or a missing one when the files are to fail.
TEST(clOutputRun, SummarisesEachTarget) {
  struct Case {
    const char* name;
    Selection selection;
    bool folderMissing;
    bool txtShort;
    std::string summary;
    std::vector<std::string> files;  // extensions written
    std::string clipboard;           // what the clipboard received ("" for nothing)
  };
  const std::string head = "フォルダ構成出力完了\n";
  const Case cases[] = {
      {"csv and text",
       {true, true, false, 0},
       false,
       false,
       head + "CSVファイル出力成功\nTEXTファイル出力成功\n",
       {".csv", ".txt"},
       ""},
      {"clipboard mode 1",
       {false, false, true, 1},
       false,
       false,
       head + "クリップボード出力成功\n",
       {},
       "/A\r\n"},
      {"all three, mode 0",
       {true, true, true, 0},
       false,
       false,
       head + "CSVファイル出力成功\nTEXTファイル出力成功\nクリップボード出力成功\n",
       {".csv", ".txt"},
       "\r\n    /A\r\n"},
      {"both files fail",
       {true, true, false, 0},
       true,
       false,
       head + "CSVファイル出力失敗\nTEXTファイル出力失敗\n",
       {},
       ""},
      {"csv fails with mode 1",
       {true, false, true, 1},
       true,
       false,
       head + "CSVファイル出力失敗\nクリップボード出力失敗\n",
       {},
       ""},
      {"clipboard mode 2 with csv",
       {true, false, true, 2},
       false,
       false,
       head + "CSVファイル出力成功\n",
       {".csv"},
       ""},
      {"clipboard mode 0, short",
       {false, false, true, 0},
       false,
       true,
       head + "クリップボード出力成功\n",
       {},
       "/A\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clTempTree out;
    clOutputBench bench;
    Select(bench.option, c.selection);
    bench.option.SetTxtShort(c.txtShort);
    bench.outputBasePath = out.Path(c.folderMissing ? "missing/KDX_1" : "KDX_1");
    EXPECT_TRUE(bench.Run());
    EXPECT_EQ(bench.resultMessage, c.summary);
    for (const char* extension : {".csv", ".txt"}) {
      const bool expected = std::find(c.files.begin(), c.files.end(), extension) != c.files.end();
      EXPECT_EQ(clTempTree::Exists(bench.outputBasePath + extension), expected) << extension;
    }
    if (c.clipboard.empty()) {
      EXPECT_TRUE(bench.clipboard.texts.empty());
    } else {
      ASSERT_EQ(bench.clipboard.texts.size(), 1u);
      EXPECT_BYTES(c.clipboard, bench.clipboard.texts[0]);
    }
    EXPECT_EQ(bench.label.texts, std::vector<std::string>{"フォルダ構成の出力完了"});
  }
}

// A clipboard that cannot be set is that output's failure in the summary; the files are
// written and the run goes on to its end.
TEST(clOutputRun, AClipboardThatCannotBeSetIsReportedAsFailed) {
  clTempTree out;
  clOutputBench bench;
  bench.UseExample();
  Select(bench.option, {true, false, true, 1});
  bench.outputBasePath = out.Path("KDX_1");
  bench.clipboard.busy = true;
  EXPECT_TRUE(bench.Run());
  EXPECT_EQ(bench.resultMessage,
            "フォルダ構成出力完了\nCSVファイル出力成功\nクリップボード出力失敗\n");
  EXPECT_TRUE(clTempTree::Exists(out.Path("KDX_1.csv")));
  EXPECT_EQ(bench.label.texts, std::vector<std::string>{"フォルダ構成の出力完了"});
}

// A stop during the CSV writer: both steps report failure, the run still returns true.
TEST(clOutputRun, StopDuringTheCsvWriterFailsBothSteps) {
  clTempTree out;
  clOutputBench bench;
  bench.UseExample();
  Select(bench.option, {true, true, false, 0});
  bench.outputBasePath = out.Path("KDX_1");
  bench.worker.stopAtCount = 1;
  EXPECT_TRUE(bench.Run());
  EXPECT_EQ(bench.resultMessage,
            "フォルダ構成出力完了\nCSVファイル出力失敗\nTEXTファイル出力失敗\n");
  EXPECT_BYTES("\r\n    /A\r\n", clTempTree::ReadFile(out.Path("KDX_1.txt")));
}

#ifndef _WIN32
// A FIFO where the text file would go, with no one reading it, holds nothing up: the
// text output fails, the CSV file is written, and the run ends as usual.
TEST(clOutputRun, FifoAtAnOutputNameIsThatOutputsFailure) {
  clTempTree out;
  clOutputBench bench;
  bench.UseExample();
  Select(bench.option, {true, true, false, 0});
  bench.outputBasePath = out.Path("KDX_1");
  ASSERT_EQ(::mkfifo(out.Path("KDX_1.txt").c_str(), 0666), 0);
  EXPECT_TRUE(bench.Run());
  EXPECT_EQ(bench.resultMessage,
            "フォルダ構成出力完了\nCSVファイル出力成功\nTEXTファイル出力失敗\n");
  EXPECT_TRUE(clTempTree::Exists(out.Path("KDX_1.csv")));
}
#endif

// The actions after output: the folder, then the CSV file, then the text file, each only
// when asked for and when its file was written.
TEST(clOutputRun, OpensTheResultsInOrder) {
  struct Case {
    const char* name;
    Selection selection;
    bool folderMissing;
    std::vector<std::string> opened;  // relative to the output folder; "." is the folder
  };
  const Case cases[] = {
      {"both files", {true, true, false, 0}, false, {".", "KDX_1.csv", "KDX_1.txt"}},
      {"text only", {false, true, false, 0}, false, {".", "KDX_1.txt"}},
      {"clipboard only", {false, false, true, 1}, false, {}},
      {"nothing written", {true, true, false, 0}, true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clTempTree out;
    clOutputBench bench;
    Select(bench.option, c.selection);
    bench.option.SetOutputLocate(true);
    bench.option.SetOpenCsvFile(true);
    bench.option.SetOpenTxtFile(true);
    const std::string folder = c.folderMissing ? out.Path("missing") : out.Root();
    bench.outputBasePath = folder + "/KDX_1";
    EXPECT_TRUE(bench.Run());
    std::vector<std::string> expected;
    for (const std::string& item : c.opened) {
      expected.push_back(item == "." ? folder : folder + "/" + item);
    }
    EXPECT_EQ(bench.shell.opened, expected);
  }
}

// An open that raises an error ends the run with false; the summary and the label are
// already in place and the later opens are skipped.
TEST(clOutputRun, FailedOpenEndsTheRunWithFalse) {
  for (int failAt : {1, 2, 3}) {
    SCOPED_TRACE(failAt);
    clTempTree out;
    clOutputBench bench;
    Select(bench.option, {true, true, false, 0});
    bench.option.SetOutputLocate(true);
    bench.option.SetOpenCsvFile(true);
    bench.option.SetOpenTxtFile(true);
    bench.outputBasePath = out.Path("KDX_1");
    bench.shell.failAt = failAt;
    EXPECT_FALSE(bench.Run());
    EXPECT_EQ(bench.shell.opened.size(), static_cast<std::size_t>(failAt));
    EXPECT_EQ(bench.resultMessage,
              "フォルダ構成出力完了\nCSVファイル出力成功\nTEXTファイル出力成功\n");
    EXPECT_EQ(bench.label.texts.size(), 1u);
  }
}
