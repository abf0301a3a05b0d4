#pragma once

#include <string>

#include "platform/clprocessplatform.h"

// The running process as a test declares it: the facts it reports, a single-instance
// guard that another instance may be said to hold, and a fixed clock.
class clFakeProcess : public clProcessPlatform {
 public:
  clProcessFacts facts;
  bool heldElsewhere = false;                // another instance holds the guard
  std::string timeStamp = "20240303070809";  // what GetLocalTimeStamp reports
  std::string acquiredName;                  // the name the last AcquireInstance asked for

  clProcessFacts GetProcessFacts() override { return facts; }
  bool AcquireInstance(const std::string& exeName) override {
    acquiredName = exeName;
    held = !heldElsewhere;
    return held;
  }
  void ReleaseInstance() override { held = false; }
  bool HoldsInstance() const override { return held; }
  std::string GetLocalTimeStamp() override { return timeStamp; }

 private:
  bool held = false;
};
