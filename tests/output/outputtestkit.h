#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "output/cloutputcontext.h"
#include "output/cloutputrun.h"
#include "output/cloutputseams.h"
#include "scan/clstructurelist.h"
#include "scan/clworkerlink.h"
#include "settings/clsoftoption.h"

// Recorders for the window-system services the end of an output run uses, a worker whose
// stop can be scripted, and a bench that ties them into an output context.

class clRecordingClipboard : public clClipboard {
 public:
  void SetAsText(const std::string& text) override {
    if (busy) throw std::runtime_error("the clipboard is held by another program");
    texts.push_back(text);
  }
  std::vector<std::string> texts;
  bool busy = false;  // every set fails, as with a clipboard another program holds
};

class clRecordingShell : public clShell {
 public:
  void Open(const std::string& path) override {
    opened.push_back(path);
    if (static_cast<int>(opened.size()) == failAt) throw std::runtime_error("shell failed");
  }
  std::vector<std::string> opened;
  int failAt = 0;  // 1-based number of the open that throws; 0: none
};

class clRecordingLabel : public clStatusLabel {
 public:
  void SetText(const std::string& text) override { texts.push_back(text); }
  std::vector<std::string> texts;
};

// The stop flag rises inside the `stopAtCount`-th
// CountOutput call (as when the user stops while that progress shows), or inside the
// writing of entry `stopInEntry` (counted as CountOutput counts), at the `stopAtPiece`-th
// test of the flag after its count: just before that piece of the entry's indent or
// separators (all 1-based; 0: never).
class clScriptedWorker : public clWorkerLink {
 public:
  bool Terminated() const override {
    if (stopInEntry != 0 && counts == stopInEntry && ++piecesTested >= stopAtPiece) {
      stopped = true;
    }
    return stopped;
  }
  void CountOutput() override {
    ++counts;
    piecesTested = 0;
    if (stopAtCount != 0 && counts >= stopAtCount) stopped = true;
  }

  mutable bool stopped = false;
  mutable int piecesTested = 0;
  int stopAtCount = 0;
  int stopInEntry = 0;
  int stopAtPiece = 0;
  int counts = 0;
};

// One output call's world: the list, the paths, the settings and the recorders.
struct clOutputBench {
  clStructureList list;
  std::string rootPath = "/A";
  std::string outputBasePath;
  clOutputReport report;
  std::string resultMessage;
  clSoftOption option;
  clScriptedWorker worker;
  clRecordingClipboard clipboard;
  clRecordingShell shell;
  clRecordingLabel label;

  clOutputContext Context() {
    return clOutputContext{list, rootPath, outputBasePath, option, worker, report};
  }
  clOutputEffects Effects() { return clOutputEffects{clipboard, shell, label}; }
  // The whole output run, writers and end, on this thread.
  bool Run() { return clOutputRun::OutputFolderList(Context(), Effects(), resultMessage); }

  // The walk of the worked example: /A holds a.txt and B, B holds b.txt.
  void UseExample() { list = {{1, "a.txt", 0}, {1, "B", 1}, {2, "b.txt", 0}}; }
};
