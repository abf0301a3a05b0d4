#include "platform/posix/clendsignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

namespace {

// Written only by Install, before any handler can run; read by the handlers.
int readEnd = -1;
int writeEnd = -1;

extern "C" void OnEndSignal(int) {
  const int saved = errno;
  const char byte = 1;
  // A full pipe holds enough requests already; the byte may be dropped.
  [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
  errno = saved;
}

}  // namespace

bool clEndSignals::Install() {
  if (readEnd < 0) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    writeEnd = ends[1];
    readEnd = ends[0];
  }

  struct sigaction action {};
  action.sa_handler = OnEndSignal;
  sigemptyset(&action.sa_mask);
  // Calls the signal interrupts go on: the walk and the writers never see EINTR.
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
    // A signal ignored from the start (nohup, a background job of a script) stays so.
    struct sigaction old {};
    if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
    ::sigaction(signal, &action, nullptr);
  }

  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  ::sigaction(SIGXFSZ, &ignore, nullptr);
  return true;
}

int clEndSignals::ReadHandle() { return readEnd; }

bool clEndSignals::Take() {
  if (readEnd < 0) return false;
  bool any = false;
  char bytes[64];
  for (;;) {
    const ssize_t count = ::read(readEnd, bytes, sizeof bytes);
    if (count > 0) {
      any = true;
      continue;
    }
    if (count < 0 && errno == EINTR) continue;
    return any;
  }
}
