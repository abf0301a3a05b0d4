#pragma once

#include "scan/cldispatcher.h"

// The dispatcher of the read control's workers: besides waking, it learns which
// workers live, so that a wake for a worker already freed is dropped.
class clReadDispatcher : public clDispatcher {
 public:
  // Main thread only: before a worker starts, and before it is freed.
  virtual void Register(clsThread& thread) = 0;
  virtual void Forget(clsThread& thread) = 0;
};
