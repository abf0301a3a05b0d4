#pragma once

#include <string>

#include "output/cloutputseams.h"
#include "scan/clstructurelist.h"
#include "scan/clworkerlink.h"
#include "settings/clsoftoption.h"

// Everything the writers and the output run take from the main window, explicitly.
struct clOutputContext {
  const clStructureList& folderList;  // the walk's structure list
  std::string rootPath;               // the walker's GetLastFolder
  std::string outputBasePath;         // files are this + ".csv" / ".txt"
  std::string& clipboardText;         // the clipboard text being built
  std::string& resultMessage;         // the run's summary
  const clSoftOption& option;
  clWorkerLink& worker;  // Terminated, CountOutput, Synchronize
  clClipboard& clipboard;
  clShell& shell;
  clStatusLabel& label;
};
