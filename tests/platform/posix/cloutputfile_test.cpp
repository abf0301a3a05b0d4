#include "platform/cloutputfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "cltemptree.h"

// A regular file is appended to, and created when missing.
TEST(clOutputFile, AppendsToARegularFileAndCreatesAMissingOne) {
  clTempTree out{"old.txt=head|"};
  for (const char* name : {"old.txt", "new.txt"}) {
    SCOPED_TRACE(name);
    clOutputFile file;
    ASSERT_TRUE(file.Open(out.Path(name)));
    EXPECT_TRUE(file.Write("abc", 3));
    EXPECT_TRUE(file.Close());
  }
  EXPECT_EQ(clTempTree::ReadFile(out.Path("old.txt")), "head|abc");
  EXPECT_EQ(clTempTree::ReadFile(out.Path("new.txt")), "abc");
}

// Nothing but a regular file is opened, and the open never waits: a FIFO without a
// reader (which a plain open would wait on for ever), a FIFO with one, a device, a
// folder and a path in a missing folder are all refused at once.
TEST(clOutputFile, RefusesWhatIsNoRegularFileWithoutWaiting) {
  clTempTree out{"sub/"};
  const std::string lonely = out.Path("lonely.fifo");
  const std::string read = out.Path("read.fifo");
  ASSERT_EQ(::mkfifo(lonely.c_str(), 0666), 0);
  ASSERT_EQ(::mkfifo(read.c_str(), 0666), 0);
  const int reader = ::open(read.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  for (const std::string& path :
       {lonely, read, std::string("/dev/null"), out.Path("sub"), out.Path("missing/f.txt")}) {
    SCOPED_TRACE(path);
    clOutputFile file;
    EXPECT_FALSE(file.Open(path));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Write("x", 1));
  }
  char byte = 0;
  EXPECT_LE(::read(reader, &byte, 1), 0);  // nothing was written into the FIFO
  ::close(reader);
}
