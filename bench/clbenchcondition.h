#pragma once

#include <sys/types.h>
#include <string>
#include <vector>

// A condition of the machine under which the benchmark measures its reads: every core
// free, the measured process confined to one core, or every core busy with a CPU-bound
// process of the benchmark's own beside the read.
class clBenchCondition {
 public:
  enum class clKind { Free, OneCore, Busy };

  explicit clBenchCondition(clKind kind);
  ~clBenchCondition();  // ends the busy processes
  clBenchCondition(const clBenchCondition&) = delete;
  clBenchCondition& operator=(const clBenchCondition&) = delete;

  // "free", "onecore", "busy"; false for another name.
  static bool Parse(const std::string& name, clKind& kind);

  // What the table calls it, e.g. "1 core (taskset -c 0)".
  std::string Title() const;
  // Put before a measured command: confines it when the condition asks for that.
  std::string CommandPrefix() const;

  // Starts the busy processes of a busy condition (one per core); nothing otherwise.
  void Begin();
  void End();

 private:
  clKind kind;
  std::vector<pid_t> busy;
};
