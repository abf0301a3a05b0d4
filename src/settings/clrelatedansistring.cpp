#include "settings/clrelatedansistring.h"

#include <limits>

bool clRelatedAnsiString::ToInt(const std::string& text, int32_t& value) const {
  if (text.empty()) {
    // Empty text is either the number 0 or no number, as the owner chose.
    value = 0;
    return emptyIsZero;
  }
  const int32_t result = StrToIntDef0(text);
  if (result != 0) {
    value = result;
    return true;
  }
  // The conversion gives 0 for anything it cannot read: only "0" itself is a 0.
  if (text == "0") {
    value = 0;
    return true;
  }
  return false;
}

int32_t clRelatedAnsiString::StrToIntDef0(const std::string& text) {
  size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
    ++pos;
  }
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  int base = 10;
  if (pos < text.size() && text[pos] == '$') {
    base = 16;
    ++pos;
  } else if (pos + 1 < text.size() && text[pos] == '0' &&
             (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
    base = 16;
    pos += 2;
  }
  if (pos == text.size()) {
    return 0;  // no digits at all
  }
  // Magnitude up to 2^31, so that the most negative number still fits.
  const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                 : std::numeric_limits<int32_t>::max();
  int64_t magnitude = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (base == 16 && c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (base == 16 && c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return 0;  // trailing text, inner blanks, a second sign...
    }
    magnitude = magnitude * base + digit;
    if (magnitude > limit) {
      return 0;
    }
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}
