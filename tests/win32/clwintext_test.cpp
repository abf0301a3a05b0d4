#include "win32/clwintext.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What the windows' ANSI functions are given: the program's UTF-8 words and the system
// code page's path bytes, each turned into code page 932 as it stands.
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
        // "表" (95 5C) and "ソ" (83 5C) in a path: the trail byte 0x5C stays with its lead.
        clWinTextCase{"PathBytesOfTheCodePageStayAsTheyAre", "C:\\\x95\x5C\\\x83\x5C",
                      "C:\\\x95\x5C\\\x83\x5C"},
        clWinTextCase{"WordsAroundAPathAreEachTurned", "エラー: C:\\\x95\x5C",
                      "\x83\x47\x83\x89\x81\x5B: C:\\\x95\x5C"}),
    [](const ::testing::TestParamInfo<clWinTextCase>& info) { return info.param.name; });

}  // namespace
