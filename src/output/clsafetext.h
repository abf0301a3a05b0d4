#pragma once

#include <string>
#include <string_view>

// Names and the root path as the outputs print them: every control byte (0x01 to 0x1F
// and 0x7F) becomes "?", so that no name can break a line of the tree or a row of the
// table. Other bytes, multibyte characters included, pass unchanged.
class clSafeText {
 public:
  static void Append(std::string& out, std::string_view text) {
    const std::size_t start = out.size();
    out.append(text);
    for (std::size_t i = start; i < out.size(); ++i) {
      const auto byte = static_cast<unsigned char>(out[i]);
      if (byte < 0x20 || byte == 0x7F) out[i] = '?';
    }
  }
};
