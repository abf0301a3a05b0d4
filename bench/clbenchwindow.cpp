#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "clbenchreads.h"
#include "platform/clpath.h"
#include "platform/posix/clposixprocess.h"
#include "qt/cluihooks.h"
#include "qt/fmain.h"
#include "qt/kdxresources.h"

// The window read: the real main window on the platform QT_QPA_PLATFORM names, from
// StartReading to OnReadComplete, with CSV and text on and messages and openings off.
clBenchResult clBenchReads::Window(const std::string& tree, const std::string& outputFolder,
                                   int argc, char** argv) {
  // A runtime folder of the run's own where the session gives none, as Qt wants one.
  if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
    const std::string runtime = outputFolder + "/runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  }
  QApplication application(argc, argv);
  InitKdxResources();
  clUiHooks::messageBox = [](QWidget*, const QString&, const QString&) {};
  clUiHooks::errorBox = [](QWidget*, const QString&) {};
  clUiHooks::openPath = [](const QByteArray&) {};

  // A fresh folder for the executable's: no Setting.ini, a lock of its own.
  class clBenchProcess : public clPosixProcess {
   public:
    explicit clBenchProcess(const std::string& folder) : clPosixProcess(0, nullptr, folder) {
      facts.exeFolder = folder;
      facts.exeName = "kdx_bench";
    }
    clProcessFacts GetProcessFacts() override { return facts; }

   private:
    clProcessFacts facts;
  };
  clBenchProcess process(outputFolder);
  clBenchResult result;
  {
    TfrmMain window(Platform(), process);
    window.control.SetReadAhead(ReadAheadLimits());
    window.show();
    UseWindowOptions(window.control.Option(), clPath::Join(outputFolder, "out"));

    // A fine timer on the main thread: the longest gap between two of its ticks is the
    // longest time the main thread stayed away from its event loop.
    QElapsedTimer clock;
    qint64 lastTick = 0;
    qint64 longestGap = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(2);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
      const qint64 now = clock.nsecsElapsed();
      if (now - lastTick > 20'000'000 && std::getenv("KDX_BENCH_DEBUG")) {
        std::fprintf(stderr, "gap %.1f ms ending at %.1f ms\n", (now - lastTick) / 1e6, now / 1e6);
      }
      longestGap = std::max(longestGap, now - lastTick);
      lastTick = now;
    });
    // Let the window settle before the clock starts.
    QApplication::processEvents();

    const double processor = ProcessorSeconds();
    const auto start = std::chrono::steady_clock::now();
    clock.start();
    ticker.start();
    window.control.StartReading(tree);
    while (window.control.IsReading()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.processorSeconds = ProcessorSeconds() - processor;
    ticker.stop();
    longestGap = std::max(longestGap, clock.nsecsElapsed() - lastTick);
    result.longestStallMs = static_cast<double>(longestGap) / 1e6;
    result.entries = window.control.LastEntries();
    const std::string& summary = window.control.ResultMessage();
    if (summary.find("失敗") != std::string::npos || summary.empty()) {
      throw std::runtime_error("window read: " + summary);
    }
  }
  return result;
}
