#include "settings/clrelatedansistring.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <ostream>
#include <string>

namespace {

struct ToIntCase {
  std::string text;
  bool isNumber;
  int32_t stored;  // what the value holds afterwards; it starts at 77
};

// Printed as the text it converts, so that listings stay the same from run to run.
void PrintTo(const ToIntCase& c, std::ostream* out) { *out << '"' << c.text << '"'; }

// A test name made of the text: letters and digits as they are, the rest spelled out.
std::string NameOf(const ::testing::TestParamInfo<ToIntCase>& info) {
  const std::string& text = info.param.text;
  if (text.empty()) return "Empty";
  std::string name;
  for (const char c : text) {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      name += c;
    } else if (c == '-') {
      name += "Minus";
    } else if (c == '+') {
      name += "Plus";
    } else if (c == ' ') {
      name += "Blank";
    } else if (c == '$') {
      name += "Dollar";
    } else if (c == '.') {
      name += "Dot";
    } else {
      name += "X";
    }
  }
  return name;
}

class ToIntTest : public ::testing::TestWithParam<ToIntCase> {};

TEST_P(ToIntTest, ConvertsOrRefuses) {
  const ToIntCase& c = GetParam();
  clRelatedAnsiString converter;
  int32_t value = 77;
  EXPECT_EQ(converter.ToInt(c.text, value), c.isNumber) << '"' << c.text << '"';
  EXPECT_EQ(value, c.stored) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ToIntTest,
    ::testing::Values(
        // Plain numbers, as typed in the time-out box.
        ToIntCase{"0", true, 0}, ToIntCase{"10", true, 10}, ToIntCase{"0010", true, 10},
        ToIntCase{"9999", true, 9999}, ToIntCase{"12345", true, 12345},
        // Empty text is no number but still stores 0.
        ToIntCase{"", false, 0},
        // A 0 that is not the exact text "0" is no number and stores nothing.
        ToIntCase{"00", false, 77}, ToIntCase{"-0", false, 77}, ToIntCase{"+0", false, 77},
        ToIntCase{"0x0", false, 77}, ToIntCase{"abc", false, 77}, ToIntCase{" ", false, 77},
        // Lenient forms: blanks before, one sign, hexadecimal.
        ToIntCase{"-5", true, -5}, ToIntCase{"+7", true, 7}, ToIntCase{"  42", true, 42},
        ToIntCase{"$1F", true, 31}, ToIntCase{"0x10", true, 16}, ToIntCase{"0XfF", true, 255},
        ToIntCase{"-$10", true, -16},
        // Anything else gives 0, so nothing is stored.
        ToIntCase{"12a", false, 77}, ToIntCase{"1 2", false, 77}, ToIntCase{"42 ", false, 77},
        ToIntCase{"--5", false, 77}, ToIntCase{"- 5", false, 77}, ToIntCase{"$", false, 77},
        ToIntCase{"0x", false, 77}, ToIntCase{"$G", false, 77}, ToIntCase{"1.5", false, 77},
        // The 32-bit range, both ends; beyond it the text is no number.
        ToIntCase{"2147483647", true, 2147483647}, ToIntCase{"-2147483648", true, INT32_MIN},
        ToIntCase{"2147483648", false, 77}, ToIntCase{"-2147483649", false, 77},
        ToIntCase{"99999999999999999999", false, 77}, ToIntCase{"$7FFFFFFF", true, 2147483647},
        ToIntCase{"$80000000", false, 77}),
    NameOf);

TEST(clRelatedAnsiStringTest, EmptyIsZeroReadsEmptyTextAsTheNumberZero) {
  clRelatedAnsiString converter;
  EXPECT_FALSE(converter.GetEmptyIsZero());
  converter.SetEmptyIsZero(true);
  int32_t value = 77;
  EXPECT_TRUE(converter.ToInt("", value));
  EXPECT_EQ(value, 0);
}

}  // namespace
