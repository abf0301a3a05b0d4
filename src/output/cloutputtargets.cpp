#include "output/cloutputtargets.h"

#include <utility>

clOutputTargets::clOutputTargets(const clOutputContext& context, std::string filePath, bool toFile,
                                 bool toClipboard)
    : context(context),
      filePath(std::move(filePath)),
      toFile(toFile),
      toClipboard(toClipboard),
      text(context.clipboardText) {}

bool clOutputTargets::Open() {
  context.clipboardText.clear();
  if (toFile && !file.Open(filePath)) return false;
  return true;
}

bool clOutputTargets::Finish(bool completed) {
  bool fileKept = true;
  if (toFile) fileKept = file.Close();
  if (!completed || !fileKept) return false;
  if (toClipboard) {
    const clOutputContext& c = context;
    c.worker.Synchronize([&c] { c.clipboard.SetAsText(c.clipboardText); });
  }
  return true;
}

uint32_t clOutputTargets::PiecesBeforeStop(const clWorkerLink& worker, uint32_t pieces) {
  for (uint32_t piece = 0; piece < pieces; ++piece) {
    if (worker.Terminated()) return piece;
  }
  return pieces;
}
