#include "settings/clinifile.h"

#include <utility>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

// A header line "[name]": its name, trimmed, up to the first "]" (or the line's end).
bool HeaderName(std::string_view line, std::string_view& name) {
  const std::string_view text = Trim(line);
  if (text.empty() || text.front() != '[') return false;
  const std::string_view inner = text.substr(1);
  name = Trim(inner.substr(0, inner.find(']')));
  return true;
}

// A key line "key=value": its key and its value, both trimmed, quotes still on.
bool KeyLine(std::string_view line, std::string_view& key, std::string_view& value) {
  const std::string_view text = Trim(line);
  if (text.empty() || text.front() == ';' || text.front() == '[') return false;
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return false;
  key = Trim(text.substr(0, equals));
  value = Trim(text.substr(equals + 1));
  return true;
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Hexadecimal digits naming a 32-bit pattern: "FFFFFFFF" is -1.
bool ParseHex(std::string_view digits, int32_t& value) {
  if (digits.empty()) return false;
  uint64_t total = 0;
  for (const char c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0) return false;
    total = total * 16 + static_cast<uint64_t>(digit);
    if (total > 0xFFFFFFFFu) return false;
  }
  value = static_cast<int32_t>(static_cast<uint32_t>(total));
  return true;
}

bool ParseDecimal(std::string_view text, int32_t& value) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return false;
  const uint64_t limit = negative ? 2147483648u : 2147483647u;
  uint64_t total = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    total = total * 10 + static_cast<uint64_t>(c - '0');
    if (total > limit) return false;
  }
  value =
      negative ? static_cast<int32_t>(-static_cast<int64_t>(total)) : static_cast<int32_t>(total);
  return true;
}

}  // namespace

clIniFile::clIniFile(std::string_view text) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    byteOrderMark = true;
    text.remove_prefix(kByteOrderMark.size());
  }
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t stop = text.find_first_of("\r\n", start);
    if (stop == std::string_view::npos) stop = text.size();
    Line line{std::string(text.substr(start, stop - start)), std::string()};
    if (stop < text.size()) {
      const bool crlf = text[stop] == '\r' && stop + 1 < text.size() && text[stop + 1] == '\n';
      line.end = crlf ? "\r\n" : std::string(1, text[stop]);
    }
    start = stop + line.end.size();
    lines.push_back(std::move(line));
  }
}

std::string clIniFile::GetText() const {
  std::string text = byteOrderMark ? "\xEF\xBB\xBF" : "";
  for (const auto& line : lines) {
    text += line.text;
    text += line.end;
  }
  return text;
}

clIniFile::Place clIniFile::Find(std::string_view section, std::string_view key) const {
  Place place;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view name;
    if (HeaderName(lines[i].text, name)) {
      if (place.header >= 0) break;  // the first matching section has ended
      if (SameName(name, section)) place.header = static_cast<std::ptrdiff_t>(i);
      continue;
    }
    std::string_view lineKey;
    std::string_view value;
    if (place.header < 0 || !KeyLine(lines[i].text, lineKey, value)) continue;
    if (place.key < 0 && SameName(lineKey, key)) place.key = static_cast<std::ptrdiff_t>(i);
    place.lastKey = static_cast<std::ptrdiff_t>(i);
  }
  return place;
}

std::string clIniFile::ReadString(std::string_view section, std::string_view key,
                                  const std::string& def) const {
  const Place place = Find(section, key);
  if (place.key < 0) return def;
  std::string_view lineKey;
  std::string_view value;
  KeyLine(lines[static_cast<std::size_t>(place.key)].text, lineKey, value);
  return std::string(Unquote(value).substr(0, kMaxValueBytes));
}

int32_t clIniFile::ReadInteger(std::string_view section, std::string_view key, int32_t def) const {
  int32_t value = 0;
  return ParseInteger(ReadString(section, key, std::string()), value) ? value : def;
}

bool clIniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool clIniFile::ParseInteger(std::string_view text, int32_t& value) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    return ParseHex(text.substr(2), value);
  }
  if (!text.empty() && text[0] == '$') return ParseHex(text.substr(1), value);
  return ParseDecimal(text, value);
}

void clIniFile::Insert(std::size_t index, std::string text) {
  // A last line without a line end gets one, or the new line would join it.
  if (index > 0 && lines[index - 1].end.empty()) lines[index - 1].end = "\r\n";
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(index), Line{std::move(text), "\r\n"});
}

bool clIniFile::WriteString(std::string_view section, std::string_view key,
                            const std::string& value) {
  if (value.find_first_of("\r\n") != std::string::npos) return false;
  const bool changedByReading =
      Trim(value).size() != value.size() || Unquote(value).size() != value.size();
  std::string text = std::string(key) + "=";
  text += changedByReading ? "\"" + value + "\"" : value;

  Place place = Find(section, key);
  if (place.key >= 0) {
    lines[static_cast<std::size_t>(place.key)] = Line{std::move(text), "\r\n"};
    return true;
  }
  if (place.header < 0) {
    std::string header;
    header.reserve(section.size() + 2);
    header.append(1, '[').append(section).append(1, ']');
    Insert(lines.size(), std::move(header));
    place.header = static_cast<std::ptrdiff_t>(lines.size()) - 1;
  }
  const std::ptrdiff_t after = place.lastKey >= 0 ? place.lastKey : place.header;
  Insert(static_cast<std::size_t>(after) + 1, std::move(text));
  return true;
}

bool clIniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  return WriteString(section, key, std::to_string(value));
}

bool clIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  return WriteString(section, key, value ? "1" : "0");
}
