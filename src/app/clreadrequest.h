#pragma once

#include <string>

#include "scan/clreadahead.h"
#include "settings/clsoftoption.h"

// What one read needs, handed to its worker by value when the read starts: the window
// may change its own copies afterwards without touching the read.
struct clReadRequest {
  clSoftOption option;            // the four filters and the outputs
  std::string targetFolder;       // the folder read
  std::string systemFolder;       // left out of the walk unless the settings take it in
  std::string outputBasePath;     // the output files are this + ".csv" / ".txt"
  clReadAhead::Limits readAhead;  // folders listed ahead of the walk
};
