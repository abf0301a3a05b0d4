#pragma once

#include <string>

#include "output/cloutputreport.h"
#include "scan/clstructurelist.h"
#include "scan/clworkerlink.h"
#include "settings/clsoftoption.h"

// Everything the writers take from a read, explicitly. They run on the worker thread
// and touch nothing of the window: what they produce goes into `report`.
struct clOutputContext {
  const clStructureList& folderList;  // the walk's structure list
  std::string rootPath;               // the walker's GetLastFolder
  std::string outputBasePath;         // files are this + ".csv" / ".txt"
  const clSoftOption& option;
  clWorkerLink& worker;    // Terminated, CountOutput
  clOutputReport& report;  // the outcome, the clipboard text included
};
