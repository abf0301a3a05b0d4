#include "qt/clqtdispatcher.h"

#include <QThread>

#include "scan/clsthread.h"

namespace {

// A wake within this time of a burst's end is taken to belong to the same pass of the
// event loop.
constexpr qint64 kSamePassNs = 2'000'000;

}  // namespace

clQtDispatcher::clQtDispatcher() {
  later.setSingleShot(true);
  later.setInterval(0);
  QObject::connect(&later, &QTimer::timeout, &context, [this] {
    clsThread* const thread = laterThread;
    laterThread = nullptr;
    if (thread != nullptr && living.count(thread) != 0) {
      thread->ServeSynchronized();
      sinceBurst.start();
    }
  });
}

void clQtDispatcher::Register(clsThread& thread) { living.insert(&thread); }

void clQtDispatcher::Forget(clsThread& thread) {
  living.erase(&thread);
  if (laterThread == &thread) laterThread = nullptr;
}

void clQtDispatcher::Wake(clsThread& thread) {
  clsThread* const target = &thread;
  if (QThread::currentThread() == context.thread()) {
    // A burst that ended with a call still waiting wakes itself.
    ServeLater(target);
  } else {
    QMetaObject::invokeMethod(
        &context, [this, target] { Serve(target); }, Qt::QueuedConnection);
  }
}

void clQtDispatcher::Serve(clsThread* thread) {
  // The worker may have been served by WaitFor and freed since the wake was queued:
  // only a worker still registered is touched.
  if (living.count(thread) == 0) return;
  if (sinceBurst.isValid() && sinceBurst.nsecsElapsed() < kSamePassNs) {
    ServeLater(thread);
    return;
  }
  thread->ServeSynchronized();
  sinceBurst.start();
}

void clQtDispatcher::ServeLater(clsThread* thread) {
  laterThread = thread;
  if (!later.isActive()) later.start();
}
