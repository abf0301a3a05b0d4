#pragma once

#include <string>
#include <string_view>

// Conversions between the system code page (932 on a Japanese system) and the wide
// names of the file system, exactly as the ANSI functions of the system make them: a
// character without a form in the code page becomes its best fit or the default
// character "?".
class clSystemCodePage {
 public:
  static std::string FromWide(std::wstring_view wide);
  static std::wstring ToWide(std::string_view bytes);
  // The code page's text as UTF-8, and UTF-8 as the code page writes it.
  static std::string ToUtf8(std::string_view bytes);
  static std::string FromUtf8(std::string_view utf8);
  // Whether `byte` begins a double-byte character.
  static bool IsLeadByte(unsigned char byte);

  // Whether the last character of `bytes` is a path separator ("\" or "/") and not the
  // trail byte of a double-byte character such as "ソ" (83 5C).
  static bool EndsWithSeparator(std::string_view bytes);
  // The position of the first or the last such separator; npos when there is none.
  static std::size_t FirstSeparator(std::string_view bytes);
  static std::size_t LastSeparator(std::string_view bytes);

  // The form of `path` that the wide functions accept at any length ("\\?\C:\...",
  // "\\?\UNC\server\share\..."): absolute, "\" between the parts.
  static std::wstring LongPath(std::wstring path);
};
