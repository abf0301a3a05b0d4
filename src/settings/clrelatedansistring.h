#pragma once

#include <cstdint>
#include <string>

// Turns the text of a number field into an integer. The conversion is lenient in
// the way users expect of a number box (leading blanks, one sign, "$" or "0x" for
// hexadecimal) but tells a real 0 apart from text that is no number at all.
class clRelatedAnsiString {
 public:
  clRelatedAnsiString() = default;
  virtual ~clRelatedAnsiString() = default;

  bool GetEmptyIsZero() const { return emptyIsZero; }
  void SetEmptyIsZero(bool value) { emptyIsZero = value; }

  // True when the text is a number; the value is then stored. Empty text (unless
  // emptyIsZero) stores 0 and gives false; any other text that is no number, or
  // is out of the 32-bit range, gives false and leaves the value alone. Only the
  // exact text "0" counts as the number 0.
  bool ToInt(const std::string& text, int32_t& value) const;

 private:
  // The lenient conversion: the number, or the default 0 for anything else.
  static int32_t StrToIntDef0(const std::string& text);

  bool emptyIsZero = false;
};
