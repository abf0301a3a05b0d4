#include "settings/clinifile.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "bytesdiff.h"

namespace {

struct ReadCase {
  const char* what;
  std::string text;
  const char* section;
  const char* key;
  std::string expected;  // "DEF" is the default given to the read
};

}  // namespace

TEST(clIniFile, ReadsStringsByTheRulesOfTheFormat) {
  const ReadCase cases[] = {
      {"plain", "[S]\r\nk=v\r\n", "S", "k", "v"},
      {"case-insensitive names", "[setting]\r\nIs_Sub_Folder=1\r\n", "SETTING", "IS_SUB_FOLDER",
       "1"},
      {"blanks around header, key and value", " [ S ] \r\n \t k \t= \t a b \t\r\n", "S", "k",
       "a b"},
      {"double quotes, blanks kept inside", "[S]\r\nk = \"  a  \" \r\n", "S", "k", "  a  "},
      {"single quotes", "[S]\r\nk='v'\r\n", "S", "k", "v"},
      {"only one pair of quotes", "[S]\r\nk=\"\"v\"\"\r\n", "S", "k", "\"v\""},
      {"mismatched quotes stay", "[S]\r\nk=\"v'\r\n", "S", "k", "\"v'"},
      {"a lone quote stays", "[S]\r\nk=\"\r\n", "S", "k", "\""},
      {"empty value is not the default", "[S]\r\nk=\r\n", "S", "k", ""},
      {"empty quotes", "[S]\r\nk=''\r\n", "S", "k", ""},
      {"equals sign inside the value", "[S]\r\nk=a=b\r\n", "S", "k", "a=b"},
      {"missing key", "[S]\r\nother=1\r\n", "S", "k", "DEF"},
      {"missing section", "[T]\r\nk=1\r\n", "S", "k", "DEF"},
      {"empty text", "", "S", "k", "DEF"},
      {"key of another section", "[S]\r\n[T]\r\nk=1\r\n", "S", "k", "DEF"},
      {"key before any section", "k=1\r\n[S]\r\n", "S", "k", "DEF"},
      {"comment is no key", "[S]\r\n;k=1\r\n  ; k=2\r\n", "S", "k", "DEF"},
      {"line without equals sign", "[S]\r\nk\r\nk 1\r\n", "S", "k", "DEF"},
      {"key is the whole name", "[S]\r\nkk=1\r\nk_=2\r\n", "S", "k", "DEF"},
      {"first key wins", "[S]\r\nk=1\r\nK=2\r\n", "S", "k", "1"},
      {"first section wins", "[S]\r\nk=1\r\n[S]\r\nk=2\r\n", "S", "k", "1"},
      {"first section wins even without the key", "[S]\r\n[s]\r\nk=2\r\n", "S", "k", "DEF"},
      {"header without closing bracket", "[S\r\nk=1\r\n", "S", "k", "1"},
      {"LF line ends", "[S]\nj=0\nk=v\n", "S", "k", "v"},
      {"CR line ends", "[S]\rj=0\rk=v\r", "S", "k", "v"},
      {"last line without line end", "[S]\r\nk=v", "S", "k", "v"},
      {"other bytes are plain text", std::string("[S]\r\nk=\xff\0\x01", 10), "S", "k",
       std::string("\xff\0\x01", 3)},
  };
  for (const auto& c : cases) {
    const clIniFile ini(c.text);
    EXPECT_EQ(ini.ReadString(c.section, c.key, "DEF"), c.expected) << c.what;
  }
}

TEST(clIniFile, CutsLongValuesAt2047Bytes) {
  const std::string longValue(3000, 'a');
  const clIniFile ini("[S]\r\nk=" + longValue + "\r\nq=\"" + longValue + "\"\r\n");
  EXPECT_EQ(ini.ReadString("S", "k", ""), std::string(2047, 'a'));
  EXPECT_EQ(ini.ReadString("S", "q", ""), std::string(2047, 'a'));
  const clIniFile exact("[S]\r\nk=" + std::string(2047, 'b') + "\r\n");
  EXPECT_EQ(exact.ReadString("S", "k", ""), std::string(2047, 'b'));
}

TEST(clIniFile, ParsesIntegersInDecimalAndHexadecimal) {
  const std::pair<const char*, std::optional<int32_t>> cases[] = {
      {"0x1E", 30},
      {"0X1e", 30},
      {"$1E", 30},
      {"$ff", 255},
      {"0xFFFFFFFF", -1},
      {"0x100000000", std::nullopt},
      {"0x", std::nullopt},
      {"$", std::nullopt},
      {"0xG", std::nullopt},
      {"-0x10", std::nullopt},
      {"1x10", std::nullopt},
      {"0", 0},
      {"00", 0},
      {"007", 7},
      {"-5", -5},
      {"+7", 7},
      {"-", std::nullopt},
      {"2147483647", 2147483647},
      {"2147483648", std::nullopt},
      {"-2147483648", INT32_MIN},
      {"-2147483649", std::nullopt},
      {"99999999999999999999999", std::nullopt},
      {"", std::nullopt},
      {"abc", std::nullopt},
      {"12abc", std::nullopt},
      {"1.5", std::nullopt},
      {" 5", std::nullopt},
  };
  for (const auto& [text, expected] : cases) {
    int32_t value = 12345;
    const bool parsed = clIniFile::ParseInteger(text, value);
    EXPECT_EQ(parsed, expected.has_value()) << text;
    if (parsed && expected) {
      EXPECT_EQ(value, *expected) << text;
    }
  }
}

TEST(clIniFile, ReadsIntegersAndBoolsWithTheirDefaults) {
  const clIniFile ini(
      "[S]\r\nhex = ' 0x1E '\r\nspaced =  12  \r\nquoted=\"-3\"\r\nbad=abc\r\nempty=\r\n"
      "two=2\r\nminus=-1\r\nzero=0\r\nyes=yes\r\n");
  EXPECT_EQ(ini.ReadInteger("S", "hex", 10), 10);  // blanks inside the quotes stay
  EXPECT_EQ(ini.ReadInteger("S", "spaced", 10), 12);
  EXPECT_EQ(ini.ReadInteger("S", "quoted", 10), -3);
  EXPECT_EQ(ini.ReadInteger("S", "bad", 10), 10);
  EXPECT_EQ(ini.ReadInteger("S", "empty", 10), 10);
  EXPECT_EQ(ini.ReadInteger("S", "missing", 10), 10);

  EXPECT_TRUE(ini.ReadBool("S", "two", false));
  EXPECT_TRUE(ini.ReadBool("S", "minus", false));
  EXPECT_FALSE(ini.ReadBool("S", "zero", true));
  for (const char* key : {"yes", "empty", "missing"}) {
    EXPECT_TRUE(ini.ReadBool("S", key, true)) << key;
    EXPECT_FALSE(ini.ReadBool("S", key, false)) << key;
  }
}

TEST(clIniFile, ReplacesAKeyInPlaceAndKeepsEveryOtherByte) {
  const std::string before =
      "; settings\n[OTHER]\nk = keep\n\n[Setting]\r\n  K = old ; not a comment\n"
      "x=1\rno equals sign\r\n\r\n[LAST]\r\nz=9";
  clIniFile ini(before);
  EXPECT_EQ(ini.GetText(), before);
  ASSERT_TRUE(ini.WriteString("SETTING", "k", "new"));
  EXPECT_BYTES(
      "; settings\n[OTHER]\nk = keep\n\n[Setting]\r\nk=new\r\n"
      "x=1\rno equals sign\r\n\r\n[LAST]\r\nz=9",
      ini.GetText());
}

// A file that starts with a UTF-8 byte-order mark: its first section is found, a write
// goes into it rather than into a second one, and the mark stays in front.
TEST(clIniFile, AByteOrderMarkIsKeptAndHidesNoSection) {
  const std::string bom = "\xEF\xBB\xBF";
  clIniFile ini(bom + "[SETTING]\r\nIS_SUB_FOLDER=0\r\n");
  EXPECT_FALSE(ini.ReadBool("SETTING", "IS_SUB_FOLDER", true));
  EXPECT_BYTES(bom + "[SETTING]\r\nIS_SUB_FOLDER=0\r\n", ini.GetText());
  ASSERT_TRUE(ini.WriteBool("SETTING", "IS_SUB_FOLDER", true));
  ASSERT_TRUE(ini.WriteBool("SETTING", "IS_HIDE_FILE", true));
  EXPECT_BYTES(bom + "[SETTING]\r\nIS_SUB_FOLDER=1\r\nIS_HIDE_FILE=1\r\n", ini.GetText());
  // A mark elsewhere is plain text.
  EXPECT_EQ(clIniFile("[S]\r\n" + bom + "k=1\r\n").ReadString("S", bom + "k", ""), "1");
}

TEST(clIniFile, AppendsNewKeysAfterTheLastKeyLineOfTheirSection) {
  clIniFile ini("[A]\r\nx=1\r\n; trailing comment\r\n\r\n[B]\nb=2");
  ASSERT_TRUE(ini.WriteString("a", "y", "2"));  // after x, before comment and blank line
  ASSERT_TRUE(ini.WriteString("B", "c", "3"));  // the last line gets its line end
  ASSERT_TRUE(ini.WriteString("C", "d", "4"));  // a missing section goes at the end
  ASSERT_TRUE(ini.WriteString("C", "e", "5"));
  EXPECT_BYTES(
      "[A]\r\nx=1\r\ny=2\r\n; trailing comment\r\n\r\n[B]\nb=2\r\nc=3\r\n[C]\r\nd=4\r\ne=5\r\n",
      ini.GetText());

  clIniFile headerOnly("[A]\r\n\r\n[B]\r\n");
  ASSERT_TRUE(headerOnly.WriteString("A", "k", "v"));
  EXPECT_BYTES("[A]\r\nk=v\r\n\r\n[B]\r\n", headerOnly.GetText());

  clIniFile noLineEnd("; only a comment");
  ASSERT_TRUE(noLineEnd.WriteBool("S", "b", false));
  ASSERT_TRUE(noLineEnd.WriteInteger("S", "i", -42));
  EXPECT_BYTES("; only a comment\r\n[S]\r\nb=0\r\ni=-42\r\n", noLineEnd.GetText());
}

TEST(clIniFile, WrittenValuesReadBackUnchanged) {
  for (const std::string value :
       {"plain", "", " lead", "trail\t", "'q'", "\"q\"", "\"", "a=b", "; x", "[x]"}) {
    clIniFile ini("[S]\r\nk=old\r\n");
    ASSERT_TRUE(ini.WriteString("S", "k", value)) << value;
    EXPECT_EQ(ini.ReadString("S", "k", "DEF"), value) << ini.GetText();
    EXPECT_EQ(clIniFile(ini.GetText()).ReadString("S", "k", "DEF"), value);
  }
  // A line break would split the line and could plant a key of its own.
  for (const std::string value : {"a\nIS_KEY=1", "a\rb", "a\r\n"}) {
    clIniFile ini("[S]\r\nk=old\r\n");
    EXPECT_FALSE(ini.WriteString("S", "k", value));
    EXPECT_FALSE(ini.WriteString("S", "new", value));
    EXPECT_EQ(ini.GetText(), "[S]\r\nk=old\r\n");
  }
}

TEST(clIniFile, AnyBytesParseBackExactlyAndStayWritable) {
  std::mt19937 random(20261210);
  const std::string pieces[] = {"[", "]", "=", ";", "\r", "\n", " ", "\t", "\"",
                                "'", "S", "s", "k", "K",  "0x", "$", "-",  std::string(1, '\0')};
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 200);
    for (int i = 0; i < length; ++i) {
      if (random() % 2) {
        text += static_cast<char>(random() % 256);
      } else {
        text += pieces[random() % std::size(pieces)];
      }
    }
    clIniFile ini(text);
    ASSERT_EQ(ini.GetText(), text);
    ini.ReadInteger("S", "k", 0);
    ASSERT_TRUE(ini.WriteString("s", "K", " v "));
    ASSERT_TRUE(ini.WriteInteger("S", "n", -7));
    const clIniFile again(ini.GetText());
    EXPECT_EQ(again.ReadString("S", "k", "DEF"), " v ") << ::testing::PrintToString(text);
    EXPECT_EQ(again.ReadInteger("S", "n", 0), -7) << ::testing::PrintToString(text);
  }
}
