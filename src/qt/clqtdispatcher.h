#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <unordered_set>

#include "app/clreaddispatcher.h"

// Hands a worker's synchronised calls to the main thread through Qt's event loop. The
// main window registers each worker before it starts and forgets it before freeing
// it; a wake that arrives for a worker already forgotten (served by WaitFor and freed
// meanwhile) is dropped. Wakes still queued when the dispatcher goes are discarded.
//
// The worker serves in bursts (clsThread::ServeSynchronized). Between two bursts the
// event loop must get a full pass, timers and repaints included: a wake that comes right
// after a burst is therefore served from a zero timer, which runs in the loop's timer
// phase, not in the pass over posted events that has just run the burst.
class clQtDispatcher : public clReadDispatcher {
 public:
  clQtDispatcher();
  clQtDispatcher(const clQtDispatcher&) = delete;
  clQtDispatcher& operator=(const clQtDispatcher&) = delete;

  // Main thread only.
  void Register(clsThread& thread) override;
  void Forget(clsThread& thread) override;

  // Any thread; does not block.
  void Wake(clsThread& thread) override;

 private:
  void Serve(clsThread* thread);  // main thread
  void ServeLater(clsThread* thread);

  QObject context;                        // lives on the main thread
  std::unordered_set<clsThread*> living;  // touched on the main thread only
  QTimer later;                           // the zero timer for a wake right after a burst
  clsThread* laterThread = nullptr;
  QElapsedTimer sinceBurst;
};
