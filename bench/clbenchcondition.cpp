#include "clbenchcondition.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

namespace {

unsigned Cores() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : cores;
}

// A process that only computes, as a build or a browser tab does, until it is ended.
[[noreturn]] void Compute() {
  volatile unsigned long long value = 1;
  for (;;) value = value * 6364136223846793005ULL + 1;
}

}  // namespace

clBenchCondition::clBenchCondition(clKind kind) : kind(kind) {}

clBenchCondition::~clBenchCondition() { End(); }

bool clBenchCondition::Parse(const std::string& name, clKind& kind) {
  if (name == "free") {
    kind = clKind::Free;
  } else if (name == "onecore") {
    kind = clKind::OneCore;
  } else if (name == "busy") {
    kind = clKind::Busy;
  } else {
    return false;
  }
  return true;
}

std::string clBenchCondition::Title() const {
  const std::string cores = std::to_string(Cores());
  switch (kind) {
    case clKind::Free:
      return cores + " free cores";
    case clKind::OneCore:
      return "1 core (taskset -c 0)";
    case clKind::Busy:
      return cores + " cores, " + cores + " CPU-bound processes beside";
  }
  return {};
}

std::string clBenchCondition::CommandPrefix() const {
  return kind == clKind::OneCore ? "taskset -c 0 " : "";
}

void clBenchCondition::Begin() {
  if (kind != clKind::Busy || !busy.empty()) return;
  for (unsigned i = 0; i < Cores(); ++i) {
    const pid_t pid = ::fork();
    if (pid == 0) Compute();
    if (pid > 0) busy.push_back(pid);
  }
}

void clBenchCondition::End() {
  for (const pid_t pid : busy) ::kill(pid, SIGKILL);
  for (const pid_t pid : busy) ::waitpid(pid, nullptr, 0);
  busy.clear();
}
