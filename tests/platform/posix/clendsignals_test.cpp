#include "platform/posix/clendsignals.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <string>

#include "cltemptree.h"
#include "output/clfilesink.h"

namespace {

// The signals keep their handlers for the rest of the test process; Ctrl+C should still
// end a test run started by hand.
void RestoreDefaults() {
  for (const int signal : {SIGTERM, SIGHUP, SIGINT, SIGXFSZ}) ::signal(signal, SIG_DFL);
}

TEST(clEndSignals, EachSignalToEndIsKeptUntilTaken) {
  ASSERT_TRUE(clEndSignals::Install());
  ASSERT_GE(clEndSignals::ReadHandle(), 0);
  EXPECT_FALSE(clEndSignals::Take());
  for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
    SCOPED_TRACE(signal);
    ASSERT_EQ(::raise(signal), 0);  // ends the test process unless caught
    EXPECT_TRUE(clEndSignals::Take());
    EXPECT_FALSE(clEndSignals::Take());
  }
  ::raise(SIGTERM);
  ::raise(SIGTERM);
  EXPECT_TRUE(clEndSignals::Take());
  EXPECT_FALSE(clEndSignals::Take());
  RestoreDefaults();
}

// Past the file-size limit a write fails (EFBIG) and the sink reports it; without the
// signal ignored the process would end here.
TEST(clEndSignals, AWritePastTheFileSizeLimitFailsInsteadOfEndingTheProgram) {
  ASSERT_TRUE(clEndSignals::Install());
  clTempTree out;
  rlimit old{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  rlimit limited = old;
  limited.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
  clFileSink sink;
  bool closed = true;
  if (sink.Open(out.Path("big.csv"))) {
    sink.Write(std::string(10000, 'x'));
    closed = sink.Close();
  }
  ::setrlimit(RLIMIT_FSIZE, &old);
  RestoreDefaults();
  EXPECT_FALSE(closed);
  EXPECT_EQ(clTempTree::ReadFile(out.Path("big.csv")).size(), 4096u);
}

}  // namespace
