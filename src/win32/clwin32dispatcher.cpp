#include "win32/clwin32dispatcher.h"

#include "scan/clsthread.h"

clWin32Dispatcher::clWin32Dispatcher() = default;

void clWin32Dispatcher::SetWindow(HWND handle) { window = handle; }

void clWin32Dispatcher::Register(clsThread& thread) { living.insert(&thread); }

void clWin32Dispatcher::Forget(clsThread& thread) {
  living.erase(&thread);
  if (laterThread == &thread) laterThread = nullptr;
}

void clWin32Dispatcher::Wake(clsThread& thread) {
  ::PostMessageA(window, kWakeMessage, 0, reinterpret_cast<LPARAM>(&thread));
}

void clWin32Dispatcher::OnWake(LPARAM value) {
  auto* const thread = reinterpret_cast<clsThread*>(value);
  // The worker may have been served by WaitFor and freed since the wake was posted.
  if (living.count(thread) == 0) return;
  if (HIWORD(::GetQueueStatus(QS_INPUT | QS_PAINT | QS_TIMER)) != 0) {
    ServeLater(thread);
    return;
  }
  thread->ServeSynchronized();
}

void clWin32Dispatcher::OnServeTimer() {
  ::KillTimer(window, kServeTimer);
  clsThread* const thread = laterThread;
  laterThread = nullptr;
  if (thread != nullptr && living.count(thread) != 0) thread->ServeSynchronized();
}

void clWin32Dispatcher::ServeLater(clsThread* thread) {
  const bool waiting = laterThread != nullptr;
  laterThread = thread;
  if (!waiting) ::SetTimer(window, kServeTimer, USER_TIMER_MINIMUM, nullptr);
}
