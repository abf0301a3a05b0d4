#include "win32/clwintext.h"

#include "platform/win32/clsystemcodepage.h"
#include "platform/win32/clwindows.h"

namespace {

// The length of the well-formed UTF-8 sequence of more than one byte at `at`, or 0.
std::size_t Utf8SequenceAt(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (std::size_t next = 1; next < length; ++next) {
    const auto byte = static_cast<unsigned char>(text[at + next]);
    if (byte < 0x80 || byte > 0xBF) return 0;
  }
  // Overlong forms and surrogates are refused by the system's strict decoding.
  wchar_t wide[2];
  const int made = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data() + at,
                                         static_cast<int>(length), wide, 2);
  return made > 0 ? length : 0;
}

}  // namespace

std::wstring clWinText::ToWide(std::string_view text) {
  std::wstring wide;
  wide.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80) {
      wide.push_back(static_cast<wchar_t>(byte));
      ++at;
      continue;
    }
    std::size_t length = Utf8SequenceAt(text, at);
    UINT codePage = CP_UTF8;
    if (length == 0) {
      // A character of the system code page: one byte, or a lead byte and its trail.
      codePage = CP_ACP;
      length = ::IsDBCSLeadByte(byte) && at + 1 < text.size() ? 2 : 1;
    }
    wchar_t part[4];
    const int made =
        ::MultiByteToWideChar(codePage, 0, text.data() + at, static_cast<int>(length), part, 4);
    wide.append(part, made > 0 ? static_cast<std::size_t>(made) : 0);
    at += length;
  }
  return wide;
}

std::string clWinText::ToAnsi(std::string_view text) {
  return clSystemCodePage::FromWide(ToWide(text));
}
