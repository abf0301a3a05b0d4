#pragma once

#include <filesystem>
#include <string>
#include <system_error>

#include "platform/clprocessplatform.h"

// The running process as a test declares it: the facts it reports, a single-instance
// guard that another instance may be said to hold, and a fixed clock.
class clFakeProcess : public clProcessPlatform {
 public:
  clProcessFacts facts;
  bool heldElsewhere = false;                // another instance holds the guard
  std::string timeStamp = "20240303070809";  // what GetLocalTimeStamp reports
  std::string currentFolder;                 // what CurrentFolder reports, if not empty
  std::string acquiredName;                  // the name the last AcquireInstance asked for
  int endRequests = 0;                       // requests to end waiting, as signals leave them
  int endedWith = -1;                        // the status EndProcessNow was given; -1: not called
  // None by default: a window on a real event loop would watch a real descriptor.
  intptr_t endRequestHandle = -1;

  clProcessFacts GetProcessFacts() override { return facts; }
  bool AcquireInstance(const std::string& exeName) override {
    acquiredName = exeName;
    held = !heldElsewhere;
    return held;
  }
  void ReleaseInstance() override { held = false; }
  bool HoldsInstance() const override { return held; }
  std::string GetLocalTimeStamp() override { return timeStamp; }
  // The process's real current folder unless a test declares one.
  std::string CurrentFolder() override {
    if (!currentFolder.empty()) return currentFolder;
    std::error_code error;
    const auto current = std::filesystem::current_path(error);
    return error ? std::string() : current.string();
  }
  intptr_t EndRequestHandle() override { return endRequestHandle; }
  bool TakeEndRequests() override {
    const bool any = endRequests > 0;
    endRequests = 0;
    return any;
  }
  // The process cannot end in a test: the call is recorded and returns.
  void EndProcessNow(int status) override { endedWith = status; }

 private:
  bool held = false;
};
