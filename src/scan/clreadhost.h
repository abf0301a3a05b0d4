#pragma once

#include <cstdint>
#include <string>

#include "scan/clfindinfolders.h"
#include "settings/clsoftoption.h"

class clsThread;

// Notification numbers of a read, handed to the worker when it is created.
inline constexpr uint16_t kReadProgressMessage = 0x401;
inline constexpr uint16_t kReadCompleteMessage = 0x402;

// What the worker of a read uses of the main window.
class clReadHost {
 public:
  virtual ~clReadHost() = default;

  // Read by the worker; the main window leaves them alone while a read runs.
  virtual const clSoftOption& GetOption() const = 0;
  virtual clFindInFolders& GetFindInFolders() = 0;
  virtual std::string GetTargetFolder() const = 0;

  // The output run, called on the worker thread after a walk that returned true.
  virtual bool OutputFolderList(clsThread& worker) = 0;

  // Delivers a notification on the main thread, synchronously. Progress: wParam 0,
  // lParam the address of a zero-terminated text valid for the call only.
  // Completion: wParam 1 on success, 0 otherwise; lParam 0.
  virtual void Perform(uint16_t message, uintptr_t wParam, intptr_t lParam) = 0;
};
