#pragma once

// Confines the calling thread, and every thread it starts while the object lives, to
// one processor, the schedule of a single-core machine: of two threads only one runs at
// a time, and a thread that waits by watching holds the processor from the other. The
// former confinement comes back when the object goes. Where the system cannot confine
// threads, nothing changes and Confined() says so.
class clOneCore {
 public:
  clOneCore();
  ~clOneCore();
  clOneCore(const clOneCore&) = delete;
  clOneCore& operator=(const clOneCore&) = delete;

  bool Confined() const { return confined; }

 private:
  bool confined = false;
  alignas(8) unsigned char saved[128] = {};  // the former processor set
};
