#pragma once

#include <string>
#include <string_view>

// The program's own texts at the window boundary. They are UTF-8: the words in the source,
// and paths and names put into them by the core in that form too (clPath::ForDisplay).
// The ANSI functions of the windows take the system code page, so every text handed to
// them is turned from UTF-8, never guessed at. Paths as the system gives them (code page
// 932) go to the windows as they stand.
class clWinText {
 public:
  // The program's text as the system code page writes it.
  static std::string ToAnsi(std::string_view utf8);
  // The program's text as wide characters.
  static std::wstring ToWide(std::string_view utf8);
};
