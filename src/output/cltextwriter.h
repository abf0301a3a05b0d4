#pragma once

#include "output/cloutputcontext.h"
#include "output/cloutputsink.h"

// The text tree, full and short forms, to the text file (outputBasePath + ".txt")
// and/or the clipboard text.
class clTextWriter {
 public:
  static bool WriteTextList(const clOutputContext& context, bool toFile, bool toClipboard);
  static bool WriteShortTextList(const clOutputContext& context, bool toFile, bool toClipboard);

  // The tree itself, the same bytes to each sink given (either may be null). False when
  // the read was stopped; the sinks then hold what came before the stop.
  static bool WriteTree(const clOutputContext& context, bool shortForm, clOutputSink* file,
                        clOutputSink* text);

 private:
  static bool Write(const clOutputContext& context, bool shortForm, bool toFile, bool toClipboard);
};
