// The main window's time-out under a queue that never empties of posted messages, as a
// busy read's wakes keep it: the wake handler's question fires it all the same.
#include "win32/clwin32timeout.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kWake = WM_APP + 1;
constexpr UINT_PTR kTimer = 1;

struct clQueue {
  clWin32Timeout timeout{kTimer};
  bool askOnWake = true;
  int firedByTimer = 0;
  int firedOnWake = 0;
  int wakes = 0;
};

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* queue = reinterpret_cast<clQueue*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (queue != nullptr && message == kWake) {
    ++queue->wakes;
    if (queue->askOnWake && queue->timeout.TakeOverdue()) ++queue->firedOnWake;
    // Each wake posts the next, as a worker's next call does while it is served.
    ::PostMessageA(window, kWake, 0, 0);
    return 0;
  }
  if (queue != nullptr && message == WM_TIMER && wParam == kTimer) {
    queue->timeout.Fired();
    ++queue->firedByTimer;
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

// Runs the queue until the time-out fired or `limitMs` passed.
void RunQueue(clQueue& queue, ULONGLONG limitMs) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = Proc;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "clWin32TimeoutTest";
  ::RegisterClassA(&windowClass);
  HWND window = ::CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&queue));
  queue.timeout.SetWindow(window);
  queue.timeout.Start(50);
  ::PostMessageA(window, kWake, 0, 0);
  const ULONGLONG end = ::GetTickCount64() + limitMs;
  MSG message;
  while (queue.firedByTimer + queue.firedOnWake == 0 && ::GetTickCount64() < end &&
         ::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::DispatchMessageA(&message);
  }
  ::DestroyWindow(window);
}

TEST(clWin32Timeout, FiresOnceWhileWakesKeepTheQueueBusy) {
  {
    // Left to its WM_TIMER, the time-out never comes while the wakes go on.
    clQueue unasked;
    unasked.askOnWake = false;
    RunQueue(unasked, 1000);
    EXPECT_EQ(unasked.firedByTimer, 0);
    EXPECT_GT(unasked.wakes, 1);
  }
  clQueue queue;
  RunQueue(queue, 10000);
  EXPECT_EQ(queue.firedByTimer + queue.firedOnWake, 1);
  EXPECT_GT(queue.wakes, 1);
  // Fired once: neither a later wake nor its WM_TIMER fires it again.
  EXPECT_FALSE(queue.timeout.TakeOverdue());
}

TEST(clWin32Timeout, IsNotOverdueBeforeItFallsDueOrOnceStopped) {
  clWin32Timeout timeout{kTimer};
  EXPECT_FALSE(timeout.TakeOverdue());
  timeout.Start(60000);
  EXPECT_FALSE(timeout.TakeOverdue());
  timeout.Stop();
  timeout.Start(0);
  timeout.Stop();
  EXPECT_FALSE(timeout.TakeOverdue());
}

}  // namespace
