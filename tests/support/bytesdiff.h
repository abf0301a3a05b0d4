#pragma once

#include <gtest/gtest.h>

#include <string>

// Compares two byte strings; on a mismatch the message shows both, line by line, with
// control and non-ASCII bytes escaped (CR as \r, tab as \t, others as \xNN), and the
// offset of the first differing byte.
::testing::AssertionResult SameBytes(const std::string& expected, const std::string& actual);

#define EXPECT_BYTES(expected, actual) EXPECT_TRUE(SameBytes((expected), (actual)))
