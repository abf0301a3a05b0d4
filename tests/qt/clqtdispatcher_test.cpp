#include "qt/clqtdispatcher.h"

#include <gtest/gtest.h>

#include <QTest>

#include "scan/clsthread.h"

namespace {

// A host whose read has no output pass: the worker only delivers its completion.
class clCompletionOnlyHost : public clReadHost {
 public:
  const clSoftOption& GetOption() const override { return option; }
  clFindInFolders& GetFindInFolders() override { return walker; }
  std::string GetTargetFolder() const override { return "/"; }
  bool OutputFolderList(clsThread&) override { return false; }
  void Perform(uint16_t message, uintptr_t, intptr_t) override {
    if (message == kReadCompleteMessage) ++completions;
  }

  clSoftOption option;  // every output off
  clFindInFolders walker;
  int completions = 0;
};

}  // namespace

TEST(clQtDispatcherTest, ARegisteredWorkerIsServedThroughTheEventLoop) {
  clCompletionOnlyHost host;
  clQtDispatcher dispatcher;
  clsThread worker(true, kReadProgressMessage, kReadCompleteMessage, host, dispatcher);
  dispatcher.Register(worker);
  worker.Resume();
  EXPECT_TRUE(QTest::qWaitFor([&] { return host.completions == 1; }, 10000));
  worker.WaitFor();
  dispatcher.Forget(worker);
}

TEST(clQtDispatcherTest, AWakeForAForgottenWorkerIsDropped) {
  clCompletionOnlyHost host;
  clQtDispatcher dispatcher;
  {
    clsThread worker(true, kReadProgressMessage, kReadCompleteMessage, host, dispatcher);
    worker.Resume();  // never registered: its wakes reach nobody
    QTest::qWait(100);
    EXPECT_EQ(host.completions, 0);
    worker.WaitFor();  // the owner's wait serves it instead
    EXPECT_EQ(host.completions, 1);
  }
  // The wake queued for the freed worker comes to nothing.
  QTest::qWait(20);
  EXPECT_EQ(host.completions, 1);
}
