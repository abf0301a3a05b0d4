#include "clbenchxvfb.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

clBenchXvfb::~clBenchXvfb() { Stop(); }

bool clBenchXvfb::Start() {
  if (pid != 0) return true;
  if (std::system("command -v Xvfb >/dev/null 2>&1") != 0) return false;
  for (int number = 90; number < 110; ++number) {
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
    if (std::filesystem::exists(socket)) continue;
    display = ':' + std::to_string(number);
    const pid_t child = ::fork();
    if (child < 0) return false;
    if (child == 0) {
      ::execlp("Xvfb", "Xvfb", display.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
               static_cast<char*>(nullptr));
      ::_exit(127);
    }
    for (int i = 0; i < 50; ++i) {
      if (std::filesystem::exists(socket)) {
        pid = child;
        return true;
      }
      ::usleep(100'000);
    }
    ::kill(child, SIGTERM);
    ::waitpid(child, nullptr, 0);
  }
  return false;
}

void clBenchXvfb::Stop() {
  if (pid == 0) return;
  ::kill(pid, SIGTERM);
  ::waitpid(pid, nullptr, 0);
  pid = 0;
}
