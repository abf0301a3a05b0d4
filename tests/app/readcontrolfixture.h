#pragma once

// The read control with a fake window, a fake platform holding the tree and the
// settings file, and a fake process; the output files go to a real temporary folder.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "../output/outputtestkit.h"
#include "app/clreadcontrol.h"
#include "bytesdiff.h"
#include "clfakeplatform.h"
#include "clfakeprocess.h"
#include "clfakewindow.h"
#include "clsettingstext.h"
#include "cltemptree.h"
#include "platform/clpath.h"

inline const std::string kSettingsPath = "/exe/Setting.ini";
// The settings file's path as the program joins it, with the system's separator.
inline std::string ShownSettingsPath() { return clPath::Join("/exe", "Setting.ini"); }
inline const std::string kReadingStatus = "フォルダ構成の取得中...";
inline const std::string kCsvOfData = "/data\r\n,B\r\n,,b.txt\r\n,,c.txt\r\n,a.txt\r\n";
inline const std::string kSummaryBothFiles =
    "フォルダ構成出力完了\nCSVファイル出力成功\nTEXTファイル出力成功\n";

class clReadControlTest : public ::testing::Test {
 public:
  clReadControlTest() {
    // /data holds B, then a.txt; B holds b.txt and c.txt.
    tree.Add("/data/B/b.txt");
    tree.Add("/data/B/c.txt");
    tree.Add("/data/a.txt");
    tree.Add("/exe/");
    process.facts.exeFolder = "/exe";
    process.facts.exeName = "KDX.bin";
  }

  ~clReadControlTest() override { Close(); }

  // Setting.ini: CSV and text files into the output folder, the summary shown, nothing
  // opened, no time-out; with overrides.
  void WriteSettings(const std::map<std::string, std::string>& overrides = {}) {
    Close();  // a control still open would save its own settings over these
    tree.SetFile(kSettingsPath, QuietSettingsText(out.Root(), overrides));
  }

  // The control as the program makes it; FormCreate runs as the window's creation does.
  clReadControl& Open(std::optional<std::string> argument = std::nullopt) {
    Close();
    process.facts.argument = std::move(argument);
    control = std::make_unique<clReadControl>(
        clReadControl::Services{window, tree, process, clipboard, shell});
    window.onCompletion = [this] { control->Guarded([this] { control->ReadCompleted(); }); };
    control->Guarded([this] { control->FormCreate(); });
    return *control;
  }

  // FormDestroy as the window's destruction runs it, then the control goes.
  void Close() {
    if (control == nullptr) return;
    control->FormDestroy();
    control.reset();
  }

  bool WaitIdle() {
    return window.RunUntil([this] { return !control->IsReading(); });
  }

  // The output files of a read, gone before the next case.
  void RemoveOutputs() {
    Close();
    std::filesystem::remove(out.Path("KDX_20240303070809.csv"));
    std::filesystem::remove(out.Path("KDX_20240303070809.txt"));
  }

  std::string Output(const std::string& extension) const {
    return clTempTree::ReadFile(control->OutputBasePath() + extension);
  }

  clTempTree out;
  clFakePlatform tree;
  clFakeProcess process;
  clFakeWindow window;
  clRecordingClipboard clipboard;
  clRecordingShell shell;
  std::unique_ptr<clReadControl> control;
};

// Holds the walk at the start of one folder's read until the read is asked to stop (or
// the test lets it go), so that a stop lands at an exact point. A deaf hold ignores the
// stop: a file system that does not answer, until the test lets it go.
class clWalkHold {
 public:
  enum class Kind { EndsAtTheStop, Deaf };

  clWalkHold(clFakePlatform& tree, const std::string& folder, Kind kind = Kind::EndsAtTheStop)
      : tree(tree) {
    tree.SetHoldRead([this, folder, kind](std::string read, const std::atomic<bool>& stop) {
      // The walk joins with the system's separator; the fake tree's paths read "/".
      for (char& c : read) c = c == clPath::kSeparator ? '/' : c;
      if (read != folder) return;
      std::unique_lock<std::mutex> lock(mutex);
      held = true;
      changed.notify_all();
      while (!let && (kind == Kind::Deaf || !stop.load())) {
        changed.wait_for(lock, std::chrono::milliseconds(1));
      }
    });
  }
  // The hold stands for the walk's own read of the folder: the control's reads list
  // nothing ahead of the walk.
  void Watch(clReadControl& control) { control.SetReadAhead({.threads = 0}); }
  // False when the walk has not come to the folder after a generous while.
  bool WaitUntilHeld() {
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, std::chrono::seconds(30), [this] { return held; });
  }
  void Let() {
    std::lock_guard<std::mutex> lock(mutex);
    let = true;
  }

 private:
  clFakePlatform& tree;
  std::mutex mutex;
  std::condition_variable changed;
  bool held = false;
  bool let = false;
};
