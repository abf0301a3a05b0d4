#pragma once

#include <QObject>
#include <unordered_set>

#include "scan/cldispatcher.h"

// Hands a worker's synchronised calls to the main thread through Qt's event loop. The
// main window registers each worker before it starts and forgets it before freeing
// it; a wake that arrives for a worker already forgotten (served by WaitFor and freed
// meanwhile) is dropped. Wakes still queued when the dispatcher goes are discarded.
class clQtDispatcher : public clDispatcher {
 public:
  clQtDispatcher() = default;
  clQtDispatcher(const clQtDispatcher&) = delete;
  clQtDispatcher& operator=(const clQtDispatcher&) = delete;

  // Main thread only.
  void Register(clsThread& thread);
  void Forget(clsThread& thread);

  // Any thread; does not block.
  void Wake(clsThread& thread) override;

 private:
  QObject context;                        // lives on the main thread
  std::unordered_set<clsThread*> living;  // touched on the main thread only
};
