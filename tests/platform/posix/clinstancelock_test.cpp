#include "platform/posix/clinstancelock.h"

#include <gtest/gtest.h>

#include "cltemptree.h"

TEST(clInstanceLockTest, OneHolderPerExecutableNameUntilReleased) {
  clTempTree folder;
  const std::string path = clInstanceLock::PathFor(folder.Root(), "KDX");
  EXPECT_EQ(path, folder.Root() + "/KDX.lock");

  clInstanceLock first, second, other;
  EXPECT_EQ(first.Acquire(path), clInstanceLock::Result::Acquired);
  EXPECT_TRUE(first.IsHeld());
  EXPECT_EQ(second.Acquire(path), clInstanceLock::Result::HeldElsewhere);
  EXPECT_FALSE(second.IsHeld());
  // Another file name is another program.
  EXPECT_EQ(other.Acquire(clInstanceLock::PathFor(folder.Root(), "KDX2")),
            clInstanceLock::Result::Acquired);

  first.Release();
  EXPECT_EQ(second.Acquire(path), clInstanceLock::Result::Acquired);
}

TEST(clInstanceLockTest, ALockFileThatCannotBeMadeDoesNotKeepTheProgramFromRunning) {
  clTempTree folder;
  clInstanceLock lock;
  EXPECT_EQ(lock.Acquire(folder.Path("missing/KDX.lock")), clInstanceLock::Result::Acquired);
  EXPECT_FALSE(lock.IsHeld());
}
