#pragma once

#include "output/cloutputcontext.h"
#include "output/cloutputsink.h"

// The CSV staircase: commas in the file (outputBasePath + ".csv"), tabs in the
// clipboard table form.
class clCsvWriter {
 public:
  static bool WriteCsvList(const clOutputContext& context, bool toFile, bool toClipboard);

  // The rows themselves: with commas to `file`, with tabs to `table` (either may be
  // null). False when the read was stopped; the sinks then hold what came before it.
  static bool WriteRows(const clOutputContext& context, clOutputSink* file, clOutputSink* table);
};
