#include "app/clqtdispatcher.h"

#include "scan/clsthread.h"

void clQtDispatcher::Register(clsThread& thread) { living.insert(&thread); }

void clQtDispatcher::Forget(clsThread& thread) { living.erase(&thread); }

void clQtDispatcher::Wake(clsThread& thread) {
  clsThread* const target = &thread;
  QMetaObject::invokeMethod(
      &context,
      [this, target] {
        // The worker may have been served by WaitFor and freed since the wake was
        // queued: only a worker still registered is touched.
        if (living.count(target) != 0) target->ServeSynchronized();
      },
      Qt::QueuedConnection);
}
