#include "output/cloutputtargets.h"

#include <utility>

clOutputTargets::clOutputTargets(const clOutputContext& context, std::string filePath, bool toFile,
                                 bool toClipboard)
    : context(context),
      filePath(std::move(filePath)),
      toFile(toFile),
      toClipboard(toClipboard),
      text(context.report.clipboardText) {}

bool clOutputTargets::Open() {
  if (toClipboard) {
    context.report.clipboardText.clear();
    context.report.clipboardReady = false;
  }
  if (toFile && !file.Open(filePath)) return false;
  return true;
}

bool clOutputTargets::Finish(bool completed) {
  bool fileKept = true;
  if (toFile) fileKept = file.Close();
  if (!completed || !fileKept) return false;
  // The main thread puts the text on the clipboard at the read's end.
  if (toClipboard) context.report.clipboardReady = true;
  return true;
}

uint32_t clOutputTargets::PiecesBeforeStop(const clWorkerLink& worker, uint32_t pieces) {
  for (uint32_t piece = 0; piece < pieces; ++piece) {
    if (worker.Terminated()) return piece;
  }
  return pieces;
}
