#pragma once

#include <string>
#include <string_view>

// Texts at the window boundary. The program's own texts are UTF-8 in the source, while
// paths and names are the system code page's bytes (932 on a Japanese system); a
// message may hold both (a caption's words around a path). The ANSI functions of the
// windows take the system code page: UTF-8 sequences are turned into it, every other
// byte is taken as it stands.
class clWinText {
 public:
  // The text as the system code page writes it.
  static std::string ToAnsi(std::string_view text);
  // The text as wide characters.
  static std::wstring ToWide(std::string_view text);
};
