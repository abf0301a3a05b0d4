#pragma once

#include "output/cloutputcontext.h"

// The CSV staircase: commas in the file (outputBasePath + ".csv"), tabs in the
// clipboard table form.
class clCsvWriter {
 public:
  static bool WriteCsvList(const clOutputContext& context, bool toFile, bool toClipboard);
};
