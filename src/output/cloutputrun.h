#pragma once

#include <cstdint>

#include "output/cloutputcontext.h"

// Writes the outputs the settings select, fills resultMessage with the summary, sets
// the final status text and opens the results. Runs on the worker thread.
class clOutputRun {
 public:
  static bool OutputFolderList(const clOutputContext& context);

  // The writer calls a run makes with these settings: the tabular step (CSV file or the
  // clipboard's table form) and the text step (text file or the clipboard's text form).
  static bool TabularStep(const clSoftOption& option);
  static bool TextStep(const clSoftOption& option);
  static uint16_t CountPasses(const clSoftOption& option);
};
