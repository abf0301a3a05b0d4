#pragma once

#include "output/cloutputcontext.h"

// The text tree, full and short forms, to the text file (outputBasePath + ".txt")
// and/or the clipboard text.
class clTextWriter {
 public:
  static bool WriteTextList(const clOutputContext& context, bool toFile, bool toClipboard);
  static bool WriteShortTextList(const clOutputContext& context, bool toFile, bool toClipboard);
};
