// Stopping a read through the window: the menu item and Ctrl+S, the time-out timer,
// closing the window, and a drop while a read runs. Each stop is placed exactly: the
// walk is held at the start of one folder's listing, or the output at one entry, until
// the test lets it go or the read's stop is requested.

#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "app/clsthread.h"
#include "platform/posix/clposixplatform.h"
#include "readhelpers.h"

namespace {

const std::string kReadingStatus = "フォルダ構成の取得中...";
const std::string kBothFailed = "フォルダ構成出力完了\nCSVファイル出力失敗\nTEXTファイル出力失敗\n";
const clRecordedBox kTimedOut{"タイムアウトにより出力を中断しました", "タイムアウト中断"};
// Every wait of these tests ends by this deadline, whatever goes wrong.
constexpr int kDeadlineMs = 30000;

// A gate a worker thread waits at until the test opens it or the read's stop is
// requested (looked at every millisecond), and never longer than the deadline.
class clGate {
 public:
  // On the worker thread. `onStop` runs there when the stop ended the wait.
  void Hold(const std::function<bool()>& stopRequested, const std::function<void()>& onStop) {
    std::unique_lock<std::mutex> lock(mutex);
    held = true;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kDeadlineMs);
    while (!opened && !stopRequested() && std::chrono::steady_clock::now() < deadline) {
      changed.wait_for(lock, std::chrono::milliseconds(1));
    }
    const bool stopped = !opened && stopRequested();
    lock.unlock();
    if (stopped && onStop) onStop();
  }
  // Runs Qt's event loop until a worker waits at the gate.
  bool WaitUntilHeld() {
    return QTest::qWaitFor([this] { return held.load(); }, kDeadlineMs);
  }
  void Open() {
    std::lock_guard<std::mutex> lock(mutex);
    opened = true;
    changed.notify_all();
  }
  // Closes the gate again for the next read; no worker may wait at it.
  void Rearm() {
    std::lock_guard<std::mutex> lock(mutex);
    held = false;
    opened = false;
  }

 private:
  std::mutex mutex;
  std::condition_variable changed;
  std::atomic<bool> held{false};
  bool opened = false;
};

// The real file system, with the listing of one folder held at the gate, as a share
// that stopped answering holds it.
class clHeldFolderPlatform : public clPosixPlatform {
 public:
  explicit clHeldFolderPlatform(std::string folder) : folder(std::move(folder)) {}

  bool ReadPlace(const clFolderPlace& place, std::vector<clFolderItem>& items,
                 const std::atomic<bool>& stop) override {
    if (place.path == folder) gate.Hold([this, &stop] { return heedStop && stop.load(); }, onStop);
    return clPosixPlatform::ReadPlace(place, items, stop);
  }

  clGate gate;
  std::function<void()> onStop;  // on the worker, when the stop let the listing go
  bool heedStop = true;          // false: held up for good, as a share that never answers

 private:
  const std::string folder;
};

// A worker held at the gate while it counts its `holdAt`-th entry of the output: the
// writer has that entry still to write, and looks for a stop before the one after it.
class clHeldOutputWorker : public clsThread {
 public:
  clHeldOutputWorker(clReadRequest request, clFilePlatform& platform, Notify notify, clGate& gate,
                     unsigned holdAt)
      : clsThread(true, std::move(request), platform, std::move(notify)),
        gate(gate),
        holdAt(holdAt) {}

  void CountOutput() override {
    clsThread::CountOutput();
    if (++counted == holdAt) gate.Hold([this] { return Terminated(); }, nullptr);
  }

 private:
  clGate& gate;
  const unsigned holdAt;
  unsigned counted = 0;
};

}  // namespace

// A tree of a few folders whose walk is held at root/d1 until the test lets it go.
class clStopTest : public clMainWindowTest {
 protected:
  void SetUp() override {
    clMainWindowTest::SetUp();
    platform = &held;
  }

  void TearDown() override {
    // A read still held goes on, so that the window can end.
    held.gate.Open();
    outputGate.Open();
    clMainWindowTest::TearDown();
  }

  // Starts a read of root with a drop, as a user does, and waits until its walk is held.
  void StartHeldRead() {
    Drop(*window, {Local(tree.Path("root"))});
    ASSERT_TRUE(window->control.IsReading());
    ASSERT_TRUE(held.gate.WaitUntilHeld()) << "the walk never came to root/d1";
  }

  // What a stop during the walk leaves: no output, the label of the walk, the menus of an
  // idle window, and `expected` all that was shown, also once the events posted by then
  // (the worker's completion among them) have run.
  void ExpectStoppedDuringTheWalk(const std::vector<clRecordedBox>& expected) {
    EXPECT_FALSE(window->control.IsReading());
    EXPECT_TRUE(HasIdleMenus(*window));
    EXPECT_FALSE(window->timTimeout->isActive());
    QCoreApplication::processEvents();
    EXPECT_TRUE(OutputFiles().empty());
    ASSERT_EQ(boxes.size(), expected.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      EXPECT_EQ(boxes[i].text, expected[i].text);
      EXPECT_EQ(boxes[i].caption, expected[i].caption);
    }
    EXPECT_EQ(Label(), kReadingStatus);
  }

  clTempTree tree{"root/a.txt", "root/d0/f", "root/d1/f", "root/d2/f"};
  clHeldFolderPlatform held{tree.Path("root/d1")};
  clGate outputGate;
  std::string settingsAtTheStop;
};

// While a read runs the read item and the settings menu are off and the stop item is on;
// the menu item and its shortcut both stop the read, which ends without output or box.
TEST_F(clStopTest, TheStopItemAndCtrlSEndTheReadWithoutOutputOrMessage) {
  const struct {
    const char* name;
    std::function<void(TfrmMain&)> stop;
  } cases[] = {
      {"the menu item", [](TfrmMain& window) { window.mnuSuspend->trigger(); }},
      {"Ctrl+S",
       [](TfrmMain& window) { QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    held.gate.Rearm();
    WriteSettings();
    Open();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), kDeadlineMs));
    StartHeldRead();
    EXPECT_EQ(Label(), kReadingStatus);
    EXPECT_FALSE(window->mnuReadFolder->isEnabled());
    EXPECT_FALSE(window->mnuOption->menuAction()->isEnabled());
    EXPECT_FALSE(window->mnuEasy->isEnabled());
    EXPECT_FALSE(window->mnuSetting->isEnabled());
    EXPECT_TRUE(window->mnuSuspend->isEnabled());
    EXPECT_TRUE(window->menuExit->isEnabled());
    EXPECT_TRUE(window->mnuAbout->isEnabled());

    c.stop(*window);
    ExpectStoppedDuringTheWalk({});
    window.reset();
  }
}

// The time-out timer runs while the walk is held; when it fires, the read stops and the
// time-out's message says so.
TEST_F(clStopTest, TheTimeoutStopsTheReadAndSaysSo) {
  WriteSettings({{"IS_FOLDER_LIST_OUTPUTTIMEOUT", "1"}, {"IS_FOLDER_LIST_OUTPUTTIMEOUTNUM", "1"}});
  Open();
  QElapsedTimer clock;
  clock.start();
  StartHeldRead();
  EXPECT_TRUE(window->timTimeout->isActive());
  EXPECT_EQ(window->timTimeout->interval(), 1000);
  EXPECT_TRUE(window->timTimeout->isSingleShot());
  ASSERT_TRUE(WaitIdle(kDeadlineMs));
  EXPECT_GE(clock.elapsed(), 900);  // a coarse timer may fire up to 5% early
  ExpectStoppedDuringTheWalk({kTimedOut});
}

// Closing the window during a read saves the settings before the read is stopped, and
// returns once the worker has ended, without output.
TEST_F(clStopTest, ClosingTheWindowDuringAReadSavesThenStopsIt) {
  WriteSettings({{"IS_FOLDER_LIST_OUTPUTTIMEOUTNUM", "33"}});
  Open();
  held.onStop = [this] { settingsAtTheStop = clTempTree::ReadFile(exe.Path("Setting.ini")); };
  StartHeldRead();
  window->control.Option().SetTimeoutSeconds(34);
  window.reset();
  EXPECT_NE(settingsAtTheStop.find("IS_FOLDER_LIST_OUTPUTTIMEOUTNUM=34"), std::string::npos)
      << "the settings were not saved when the read was stopped:\n"
      << settingsAtTheStop;
  EXPECT_TRUE(OutputFiles().empty());
}

// A drop while a read runs is refused with a message; the read goes on, and its
// completion arrives through the event loop with the summary.
TEST_F(clStopTest, ADropDuringAReadIsRefusedAndTheReadGoesOn) {
  WriteSettings();
  Open();
  StartHeldRead();
  Drop(*window, {Local(tree.Path("root/d0"))});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "現在取り込み中です。完了まで次の操作はお待ち下さい");
  EXPECT_EQ(boxes[0].caption, "KDX");  // the executable's name without extension
  EXPECT_TRUE(window->control.IsReading());
  EXPECT_EQ(window->control.TargetFolder(), tree.Path("root"));

  held.gate.Open();
  ASSERT_TRUE(WaitIdle(kDeadlineMs));
  EXPECT_TRUE(HasIdleMenus(*window));
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].caption, "出力完了");
  EXPECT_EQ(boxes[1].text, kSummaryBothFiles);
  EXPECT_EQ(window->control.LastEntries(), 7u);
  EXPECT_EQ(Label(), "フォルダ構成の出力完了");
}

// Right after a stop, a new read starts and runs to its summary.
TEST_F(clStopTest, ANewReadCanStartRightAfterAStop) {
  clTempTree small{"x.txt"};
  WriteSettings();
  Open();
  StartHeldRead();
  window->mnuSuspend->trigger();
  ASSERT_FALSE(window->control.IsReading());
  Drop(*window, {Local(small.Root())});
  ASSERT_TRUE(WaitIdle(kDeadlineMs));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "出力完了");
  EXPECT_EQ(boxes[0].text, kSummaryBothFiles);
  EXPECT_EQ(window->control.LastEntries(), 1u);
}

// A stop whose worker stays held up ends the read for the window after the stop's wait;
// the worker, once it comes back, is freed from the event loop and shows nothing.
TEST_F(clStopTest, AStopWhoseWorkerStaysHeldUpEndsTheReadAfterItsWait) {
  held.heedStop = false;
  clTempTree small{"x.txt"};
  WriteSettings();
  Open();
  StartHeldRead();
  QElapsedTimer clock;
  clock.start();
  window->mnuSuspend->trigger();
  EXPECT_GE(clock.elapsed(), 900);
  EXPECT_EQ(window->control.AbandonedWorkers(), 1u);
  ExpectStoppedDuringTheWalk({});

  held.gate.Open();
  ASSERT_TRUE(
      QTest::qWaitFor([this] { return window->control.AbandonedWorkers() == 0; }, kDeadlineMs));
  QCoreApplication::processEvents();
  EXPECT_TRUE(boxes.empty());
  EXPECT_TRUE(OutputFiles().empty());
  EXPECT_EQ(Label(), kReadingStatus);
  Drop(*window, {Local(small.Root())});
  ASSERT_TRUE(WaitIdle(kDeadlineMs));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, kSummaryBothFiles);
}

// A stop while the output is held at its second entry: the label has shown that count,
// each writer stops before its next entry, and the summary says both files failed.
TEST_F(clStopTest, AStopDuringTheOutputReportsBothFilesAsFailed) {
  clTempTree small{"a.txt", "B/b.txt"};  // three entries, two passes
  WriteSettings();
  Open();
  window->control.SetWorkerMaker(
      [this](clReadRequest request, clFilePlatform& files, std::function<void()> notify) {
        return std::make_unique<clHeldOutputWorker>(std::move(request), files, std::move(notify),
                                                    outputGate, 2);
      });
  Drop(*window, {Local(small.Root())});
  ASSERT_TRUE(outputGate.WaitUntilHeld()) << "the output never came to its second entry";
  // The label shows the count at display rate, from the window's event loop.
  ASSERT_TRUE(
      QTest::qWaitFor([this] { return Label() == "フォルダ構成の出力中...\n(2/6)"; }, kDeadlineMs))
      << Label();
  EXPECT_TRUE(window->mnuSuspend->isEnabled());

  window->mnuSuspend->trigger();
  EXPECT_FALSE(window->control.IsReading());
  EXPECT_TRUE(HasIdleMenus(*window));
  QCoreApplication::processEvents();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "出力完了");
  EXPECT_EQ(boxes[0].text, kBothFailed);
  EXPECT_EQ(Label(), "フォルダ構成の出力完了");
}
