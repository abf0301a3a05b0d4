#include "platform/posix/clposixprocess.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "cltemptree.h"

namespace {

TEST(clPosixProcess, ReportsTheExecutableAndTheArgumentAsGiven) {
  std::string program = "kdx";
  std::string argument("/data/\xff\x81", 8);  // bytes as the system gave them
  char* argv[] = {program.data(), argument.data(), nullptr};
  clTempTree locks;
  clPosixProcess process(2, argv, locks.Root());
  const clProcessFacts facts = process.GetProcessFacts();
  EXPECT_EQ(facts.exeName, "kdx_core_tests");
  EXPECT_FALSE(facts.exeFolder.empty());
  EXPECT_NE(facts.exeFolder.back(), '/');
  EXPECT_EQ(facts.argument, argument);
  EXPECT_FALSE(clPosixProcess(1, argv, locks.Root()).GetProcessFacts().argument.has_value());
}

TEST(clPosixProcess, OneInstancePerExecutableNameUntilReleased) {
  clTempTree locks;
  clPosixProcess first(0, nullptr, locks.Root());
  clPosixProcess second(0, nullptr, locks.Root());
  EXPECT_TRUE(first.AcquireInstance("KDX"));
  EXPECT_TRUE(first.HoldsInstance());
  EXPECT_FALSE(second.AcquireInstance("KDX"));
  EXPECT_TRUE(second.AcquireInstance("KDX2"));  // another file name is another program
  first.ReleaseInstance();
  EXPECT_FALSE(first.HoldsInstance());
  EXPECT_TRUE(clPosixProcess(0, nullptr, locks.Root()).AcquireInstance("KDX"));
}

TEST(clPosixProcess, TheTimeStampIsFourteenDigitsAndTheRuntimeFolderIsPrivate) {
  clPosixProcess process(0, nullptr, "/nonexistent");
  EXPECT_TRUE(std::regex_match(process.GetLocalTimeStamp(), std::regex("20[0-9]{12}")));
  EXPECT_FALSE(clPosixProcess::UserRuntimeFolder().empty());
}

}  // namespace
