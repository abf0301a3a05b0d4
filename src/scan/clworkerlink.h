#pragma once

// What the writers need of the worker of a read.
class clWorkerLink {
 public:
  virtual ~clWorkerLink() = default;

  // Set when the read is to stop; the writers test it and stop writing.
  virtual bool Terminated() const = 0;

  // Called once per entry, before the entry is written: advances the progress count
  // that the main window shows at its own pace. Never waits.
  virtual void CountOutput() = 0;
};
