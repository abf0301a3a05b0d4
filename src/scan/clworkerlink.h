#pragma once

#include <functional>

// What the writers and the output run need of the worker of a read.
class clWorkerLink {
 public:
  virtual ~clWorkerLink() = default;

  // Set when the read is to stop; the writers test it and stop writing.
  virtual bool Terminated() const = 0;

  // Called once per entry, before the entry is written: advances the progress count
  // and shows it on the main thread before returning.
  virtual void CountOutput() = 0;

  // Runs `call` on the main thread and waits for it; an exception it raises is raised
  // again here.
  virtual void Synchronize(const std::function<void()>& call) = 0;
};
