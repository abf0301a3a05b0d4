// The window read on Windows: the real Win32 main window, from StartReading to its end,
// with CSV and text on and messages and openings off, on its own message loop.
#include "platform/win32/clwindows.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include "clbenchreads.h"
#include "platform/clpath.h"
#include "platform/win32/clwin32process.h"
#include "win32/fmain.h"

namespace {

// A fine timer on the main thread: the longest gap between two of its ticks is the
// longest time the main thread stayed away from its message loop.
LARGE_INTEGER frequency;
LARGE_INTEGER lastTick;
double longestGapMs = 0;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  const double gap = static_cast<double>(now.QuadPart - lastTick.QuadPart) * 1000.0 /
                     static_cast<double>(frequency.QuadPart);
  longestGapMs = std::max(longestGapMs, gap);
  lastTick = now;
}

// A fresh folder for the executable's: no Setting.ini, a guard of its own.
class clBenchProcess : public clWin32Process {
 public:
  explicit clBenchProcess(const std::string& folder) {
    facts = clWin32Process::GetProcessFacts();
    facts.exeFolder = folder;
    facts.exeName = "kdx_bench";
    facts.argument.reset();
  }
  clProcessFacts GetProcessFacts() override { return facts; }

 private:
  clProcessFacts facts;
};

}  // namespace

clBenchResult clBenchReads::Window(const std::string& tree, const std::string& outputFolder, int,
                                   char**) {
  clBenchProcess process(outputFolder);
  clBenchResult result;
  TfrmMain window(::GetModuleHandleA(nullptr), Platform(), process);
  if (!window.Create()) throw std::runtime_error("window read: no window");
  window.control.SetReadAhead(ReadAheadLimits());
  UseWindowOptions(window.control.Option(), clPath::Join(outputFolder, "out"));
  ::ShowWindow(window.frmMain, SW_SHOWNORMAL);
  ::UpdateWindow(window.frmMain);

  ::QueryPerformanceFrequency(&frequency);
  const UINT_PTR ticker = ::SetTimer(nullptr, 0, 2, Tick);
  const double processor = ProcessorSeconds();
  const auto start = std::chrono::steady_clock::now();
  ::QueryPerformanceCounter(&lastTick);
  window.control.StartReading(tree);
  MSG message;
  while (window.control.IsReading() && ::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  result.processorSeconds = ProcessorSeconds() - processor;
  ::KillTimer(nullptr, ticker);
  Tick(nullptr, 0, 0, 0);
  result.longestStallMs = longestGapMs;
  result.entries = window.control.LastEntries();
  const std::string& summary = window.control.ResultMessage();
  if (summary.find("失敗") != std::string::npos || summary.empty()) {
    throw std::runtime_error("window read: " + summary);
  }
  return result;
}
