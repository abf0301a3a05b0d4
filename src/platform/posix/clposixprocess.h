#pragma once

#include <string>
#include <utility>

#include "platform/clprocessplatform.h"
#include "platform/posix/clinstancelock.h"

// The running process on a POSIX system: the executable from /proc/self/exe, the
// argument from argv as the system gave its bytes, the single-instance guard as a lock
// file in the user's runtime folder, the clock of the local time zone, the end requests
// from the signals SIGTERM, SIGHUP and SIGINT.
class clPosixProcess : public clProcessPlatform {
 public:
  // An empty lock folder: the user's runtime folder (see UserRuntimeFolder).
  clPosixProcess(int argc, char** argv, std::string lockFolder = std::string());

  clProcessFacts GetProcessFacts() override;
  // The desktop's documents folder, as the front end finds it (the home folder until
  // then): an installed copy writes its output below it.
  void SetDocumentsFolder(std::string folder) { facts.documentsFolder = std::move(folder); }
  bool AcquireInstance(const std::string& exeName) override;
  void ReleaseInstance() override;
  bool HoldsInstance() const override { return lock.IsHeld(); }
  std::string GetLocalTimeStamp() override;
  std::string CurrentFolder() override;
  intptr_t EndRequestHandle() override;
  bool TakeEndRequests() override;
  void EndProcessNow(int status) override;

  // Catches the signals that ask the program to end and ignores SIGXFSZ (see
  // clEndSignals); the program's entry point calls it first thing.
  static void CatchEndSignals();

  // $XDG_RUNTIME_DIR when it is a folder of this user's own; otherwise a private folder
  // of this user's in the temporary folder (created when missing, its owner and
  // permissions checked), and the temporary folder itself when even that fails. Other
  // users' instances then neither see nor block this one.
  static std::string UserRuntimeFolder();

 private:
  clProcessFacts facts;
  std::string lockFolder;
  clInstanceLock lock;
};
