#include "clonecore.h"

#if defined(__linux__)
#include <sched.h>

#include <cstring>

static_assert(sizeof(cpu_set_t) <= 128, "the saved processor set fits");

clOneCore::clOneCore() {
  cpu_set_t former;
  CPU_ZERO(&former);
  if (sched_getaffinity(0, sizeof former, &former) != 0) return;
  std::memcpy(saved, &former, sizeof former);
  // The processor this thread runs on, when it is one of the allowed ones.
  int cpu = sched_getcpu();
  if (cpu < 0 || !CPU_ISSET(cpu, &former)) {
    for (cpu = 0; cpu < CPU_SETSIZE && !CPU_ISSET(cpu, &former); ++cpu) {
    }
  }
  cpu_set_t one;
  CPU_ZERO(&one);
  CPU_SET(cpu, &one);
  confined = sched_setaffinity(0, sizeof one, &one) == 0;
}

clOneCore::~clOneCore() {
  if (!confined) return;
  cpu_set_t former;
  std::memcpy(&former, saved, sizeof former);
  sched_setaffinity(0, sizeof former, &former);
}

#else

clOneCore::clOneCore() = default;
clOneCore::~clOneCore() = default;

#endif
