#pragma once

#include "platform/win32/clwindows.h"

#include "platform/clprocessplatform.h"

// The running process on Windows: the executable's path from the system in its code
// page, the command line as the system parsed it, a named mutex as the single-instance
// guard, the local clock.
class clWin32Process : public clProcessPlatform {
 public:
  ~clWin32Process() override;

  clProcessFacts GetProcessFacts() override;
  bool AcquireInstance(const std::string& exeName) override;
  void ReleaseInstance() override;
  bool HoldsInstance() const override { return mutex != nullptr; }
  std::string GetLocalTimeStamp() override;

 private:
  HANDLE mutex = nullptr;
};
