#pragma once

class clsThread;

// How a worker reaches the main thread. The application implements it on its event
// loop; tests implement it with a plain loop.
class clDispatcher {
 public:
  virtual ~clDispatcher() = default;

  // Called on the worker thread when it has a synchronised call waiting: arrange for
  // `thread.ServeSynchronized()` to run on the main thread soon. Must not block.
  virtual void Wake(clsThread& thread) = 0;
};
