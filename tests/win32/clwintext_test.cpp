#include "win32/clwintext.h"

#include "platform/clpath.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What the windows' ANSI functions are given: the program's UTF-8 texts, paths put into
// them as the core does, turned into code page 932.
struct clWinTextCase {
  const char* name;
  std::string text;
  std::string ansi;
};

class clWinTextTest : public ::testing::TestWithParam<clWinTextCase> {};

TEST_P(clWinTextTest, GivesTheSystemCodePagesBytes) {
  EXPECT_EQ(clWinText::ToAnsi(GetParam().text), GetParam().ansi);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, clWinTextTest,
    ::testing::Values(
        clWinTextCase{"AsciiStaysAsItIs", "C:\\KDX_1.txt", "C:\\KDX_1.txt"},
        clWinTextCase{"Utf8WordsBecomeCodePage932", "出力完了", "\x8F\x6F\x97\xCD\x8A\xAE\x97\xB9"},
        clWinTextCase{"HalfWidthKatakanaKeepsItsSingleBytes", "ﾌｫﾙﾀﾞ", "\xCC\xAB\xD9\xC0\xDE"},
        // Paths come into messages through clPath::ForDisplay: their bytes come back
        // exactly, also those that would read as UTF-8 (ﾃｽﾄ is C3 BD C4) and 0x5C trail
        // bytes ("表" 95 5C, "ソ" 83 5C).
        clWinTextCase{"PathBytesOfTheCodePageComeBackAsTheyWere",
                      clPath::ForDisplay("C:\\\xC3\xBD\xC4\\\x95\x5C\\\x83\x5C"),
                      "C:\\\xC3\xBD\xC4\\\x95\x5C\\\x83\x5C"},
        clWinTextCase{"WordsAroundAPathAreEachTurned",
                      "エラー: " + clPath::ForDisplay("C:\\\xC3\xBD\xC4"),
                      "\x83\x47\x83\x89\x81\x5B: C:\\\xC3\xBD\xC4"}),
    [](const ::testing::TestParamInfo<clWinTextCase>& info) { return info.param.name; });

}  // namespace
