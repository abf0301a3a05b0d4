#pragma once

#include "platform/win32/clwindows.h"

#include "platform/clprocessplatform.h"

// The running process on Windows: the executable's path from the system in its code
// page, the command line as the system parsed it, a named mutex as the single-instance
// guard, the local clock.
class clWin32Platform;

// The command-line argument and the current folder are handed over in the code page, and
// their wide paths to the file system (`widePaths`), which reaches them by those.
class clWin32Process : public clProcessPlatform {
 public:
  explicit clWin32Process(clWin32Platform* widePaths = nullptr) : widePaths(widePaths) {}
  ~clWin32Process() override;

  clProcessFacts GetProcessFacts() override;
  bool AcquireInstance(const std::string& exeName) override;
  void ReleaseInstance() override;
  bool HoldsInstance() const override { return mutex != nullptr; }
  std::string GetLocalTimeStamp() override;
  std::string CurrentFolder() override;
  // Whether this user may create a file in `folder`: a copy whose folder cannot be
  // written (one installed under Program Files) keeps its settings in the user's folders.
  static bool CanWriteIn(const std::string& folder);
  // Windows asks a program to end through its windows (the end of a session), not
  // through a handle: none is offered.
  intptr_t EndRequestHandle() override { return -1; }
  bool TakeEndRequests() override { return false; }
  // TerminateProcess, not ExitProcess: a thread held up in the file system is not waited
  // for, and nothing is torn down.
  void EndProcessNow(int status) override {
    ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(status));
  }

 private:
  // The code-page form of `wide`, its wide form handed to the file system.
  std::string Handed(const std::wstring& wide);
  // A folder of the user's own (CSIDL_APPDATA, CSIDL_PERSONAL), in the code page.
  static std::string UserFolder(int csidl);

  clWin32Platform* widePaths;
  HANDLE mutex = nullptr;
};
