#pragma once

#include <cstdint>
#include <string>

#include "output/clfilesink.h"
#include "output/cloutputcontext.h"
#include "output/clstringsink.h"

// The targets of one writer call: the output file and/or the clipboard text. Open
// empties the clipboard text and opens the file; the writer feeds the sinks; Finish
// closes the file and, when everything succeeded, marks the text ready for the clipboard.
class clOutputTargets {
 public:
  clOutputTargets(const clOutputContext& context, std::string filePath, bool toFile,
                  bool toClipboard);

  // False when the file cannot be opened: nothing has been written anywhere.
  bool Open();

  clOutputSink* File() { return toFile ? &file : nullptr; }
  clOutputSink* Text() { return toClipboard ? &text : nullptr; }

  // `completed`: the writer wrote every entry. Closes the file (keeping what it holds)
  // and marks the clipboard text ready only when the writer completed and the file took
  // every byte. Returns whether every requested target was produced.
  bool Finish(bool completed);

  // How many of an entry's `pieces` (one per level) may be written: the stop flag is
  // tested before each one.
  static uint32_t PiecesBeforeStop(const clWorkerLink& worker, uint32_t pieces);

 private:
  const clOutputContext& context;
  std::string filePath;
  bool toFile;
  bool toClipboard;
  clFileSink file;
  clStringSink text;
};
