#pragma once

class clsThread;

// How a worker reaches the main thread. The application implements it on its event
// loop; tests implement it with a plain loop.
class clDispatcher {
 public:
  virtual ~clDispatcher() = default;

  // Called on the worker thread when it has a synchronised call waiting and nobody on
  // the main thread is serving: arrange for `thread.ServeSynchronized()` to run on the
  // main thread soon. Must not block. A Wake may find nothing left to serve (WaitFor
  // served it meanwhile); ServeSynchronized then returns false at once. The worker's
  // owner must not let a Wake reach a worker it has already freed.
  virtual void Wake(clsThread& thread) = 0;
};
