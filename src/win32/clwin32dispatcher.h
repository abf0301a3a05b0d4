#pragma once

#include "platform/win32/clwindows.h"

#include <unordered_set>

#include "app/clreaddispatcher.h"

// Hands a worker's synchronised calls to the main thread through the main window's
// message queue: a wake is a message posted to the window, so that every message loop
// serves it, the loops of message boxes and dialogs included. A posted message comes
// before input, repaints and timers; a wake that finds those waiting is served from a
// timer instead, so that the window keeps painting and its timers keep firing during a
// read. A wake for a worker already forgotten is dropped.
class clWin32Dispatcher : public clReadDispatcher {
 public:
  static constexpr UINT kWakeMessage = WM_APP + 1;
  static constexpr UINT_PTR kServeTimer = 3;

  clWin32Dispatcher();
  void SetWindow(HWND window);

  // Main thread only.
  void Register(clsThread& thread) override;
  void Forget(clsThread& thread) override;
  // The window's handlers of the wake message and of the serve timer.
  void OnWake(LPARAM thread);
  void OnServeTimer();

  // Any thread; does not block.
  void Wake(clsThread& thread) override;

 private:
  void ServeLater(clsThread* thread);

  HWND window = nullptr;
  std::unordered_set<clsThread*> living;
  clsThread* laterThread = nullptr;
};
