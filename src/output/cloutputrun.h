#pragma once

#include <string>

#include "output/cloutputcontext.h"
#include "output/cloutputreport.h"
#include "output/cloutputseams.h"
#include "settings/clsoftoption.h"

// The output run of a read, in two halves: the writers, on the worker thread, and what
// the window shows and opens afterwards, on the main thread.
class clOutputRun {
 public:
  // Runs the writers the settings select, the tabular pass first, into context.report.
  static void WriteOutputs(const clOutputContext& context);

  // Puts a ready clipboard text on the clipboard, fills `resultMessage` with the summary,
  // sets the final status text and opens the results the settings ask for. False when
  // an open raised an error (the summary and the label are in place by then).
  static bool Complete(const clOutputReport& report, const clSoftOption& option,
                       const std::string& outputBasePath, const clOutputEffects& effects,
                       std::string& resultMessage);

  // Both halves on one thread.
  static bool OutputFolderList(const clOutputContext& context, const clOutputEffects& effects,
                               std::string& resultMessage);
};
