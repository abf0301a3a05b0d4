#pragma once

#include "output/cloutputcontext.h"

// Writes the outputs the settings select, fills resultMessage with the summary, sets
// the final status text and opens the results. Runs on the worker thread.
class clOutputRun {
 public:
  static bool OutputFolderList(const clOutputContext& context);
};
