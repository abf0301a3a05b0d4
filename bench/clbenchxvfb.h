#pragma once

#include <sys/types.h>
#include <string>

// An Xvfb server on a free display for the window read under a real X server; ended
// when it goes out of scope. Nothing is started where Xvfb is not installed.
class clBenchXvfb {
 public:
  clBenchXvfb() = default;
  ~clBenchXvfb();
  clBenchXvfb(const clBenchXvfb&) = delete;
  clBenchXvfb& operator=(const clBenchXvfb&) = delete;

  // False when no server could be started.
  bool Start();
  void Stop();
  // "DISPLAY=:N" for the runs' environment.
  std::string DisplayVariable() const { return "DISPLAY=" + display; }

 private:
  pid_t pid = 0;
  std::string display;
};
