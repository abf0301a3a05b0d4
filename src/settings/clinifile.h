#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// An INI text held in memory line by line, so that a write changes only the lines it
// touches and every other byte of the text stays as it was.
//
// Reading: a line whose first non-blank character is "[" opens a section (its name runs
// to the first "]"); a line with an "=" that is not a comment (";") is a key line. Section
// and key names are matched without regard to ASCII case; the first matching section and
// the first matching key in it win. Blanks (space, tab) around names and values are
// dropped, then one pair of enclosing single or double quotes. Lines may end in CR LF,
// LF or CR; any other byte is plain text. A UTF-8 byte-order mark at the start of the
// text (as some editors save it) is no part of the first line, and is kept in front of
// the written text.
//
// Writing: an existing key line is replaced in place; a new key goes after the last key
// line of its section (right after the header when it has none), a missing section is
// appended at the end. Lines written end in CR LF.
class clIniFile {
 public:
  // The longest value a read returns; a longer value is cut.
  static constexpr std::size_t kMaxValueBytes = 2047;

  clIniFile() = default;
  explicit clIniFile(std::string_view text);

  // The whole text, byte for byte as read, with the writes applied.
  std::string GetText() const;

  // The value, or def when the section or the key is missing. A key present with an
  // empty value yields the empty string.
  std::string ReadString(std::string_view section, std::string_view key,
                         const std::string& def) const;
  // "0x1E" / "0X1E" (longer than two characters) and "$1E" are hexadecimal, anything
  // else decimal with an optional sign; an empty value or one that is no 32-bit integer
  // in that reading yields def.
  int32_t ReadInteger(std::string_view section, std::string_view key, int32_t def) const;
  // An integer with the default 1 or 0; true exactly when it is not 0.
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;

  // False (and nothing changed) when the value holds a CR or LF, which no INI line can
  // carry. A value that reading would change (blanks at either end, or enclosed in a
  // pair of quotes) is written inside double quotes so that it reads back unchanged.
  bool WriteString(std::string_view section, std::string_view key, const std::string& value);
  bool WriteInteger(std::string_view section, std::string_view key, int32_t value);
  bool WriteBool(std::string_view section, std::string_view key, bool value);

  // The integer reading of ReadInteger on an already trimmed text.
  static bool ParseInteger(std::string_view text, int32_t& value);

 private:
  struct Line {
    std::string text;  // without its line end
    std::string end;   // "\r\n", "\n", "\r", or empty for a last line without one
  };
  struct Place {
    std::ptrdiff_t header = -1;   // the section's header line, -1 when missing
    std::ptrdiff_t key = -1;      // the first matching key line, -1 when missing
    std::ptrdiff_t lastKey = -1;  // the section's last key line, -1 when it has none
  };

  Place Find(std::string_view section, std::string_view key) const;
  void Insert(std::size_t index, std::string text);

  std::vector<Line> lines;
  bool byteOrderMark = false;  // the text started with a UTF-8 byte-order mark
};
