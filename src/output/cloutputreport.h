#pragma once

#include <string>

// What the writers of one read produced. The worker fills it; the main thread takes it
// at the read's end to set the clipboard, write the summary and open the results.
struct clOutputReport {
  bool csvWritten = false;
  bool csvFailed = false;
  bool txtWritten = false;
  bool txtFailed = false;
  // A writer built the clipboard's text; it is ready for the clipboard only when that
  // writer completed and its file, if any, took every byte.
  bool clipboardPass = false;
  bool clipboardReady = false;
  std::string clipboardText;
};
