#include "bytesdiff.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace {

std::string Escaped(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c == '\n') {
      out += "\\n\n    ";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c >= 0x7f || c == '\\') {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace

::testing::AssertionResult SameBytes(const std::string& expected, const std::string& actual) {
  if (expected == actual) return ::testing::AssertionSuccess();
  const auto mismatch =
      std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
  std::ostringstream message;
  message << "bytes differ at offset " << (mismatch.first - expected.begin()) << " (expected "
          << expected.size() << " bytes, got " << actual.size() << ")\n  expected:\n    "
          << Escaped(expected) << "\n  actual:\n    " << Escaped(actual);
  return ::testing::AssertionFailure() << message.str();
}
