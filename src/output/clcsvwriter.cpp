#include "output/clcsvwriter.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "output/cloutputtargets.h"
#include "output/clsafetext.h"

namespace {

constexpr std::string_view kLineBreak = "\r\n";

// How many of an entry's `levels` separators may be written: the stop flag is tested
// before each one.
uint32_t AllowedSeparators(clWorkerLink& worker, uint32_t levels) {
  for (uint32_t piece = 0; piece < levels; ++piece) {
    if (worker.Terminated()) return piece;
  }
  return levels;
}

}  // namespace

bool clCsvWriter::WriteCsvList(const clOutputContext& context, bool toFile, bool toClipboard) {
  clOutputTargets targets(context, context.outputBasePath + ".csv", toFile, toClipboard);
  if (!targets.Open()) return false;
  const bool completed = WriteRows(context, targets.File(), targets.Text());
  return targets.Finish(completed);
}

bool clCsvWriter::WriteRows(const clOutputContext& context, clOutputSink* file,
                            clOutputSink* table) {
  clWorkerLink& worker = context.worker;

  // Runs of separators as long as the deepest level met so far; a row takes a prefix.
  std::string commas;
  std::string tabs;

  // The part of a row after its separators, the same in both forms.
  std::string tail;
  tail.reserve(512);
  auto emitTail = [&] {
    if (file != nullptr) file->Write(tail);
    if (table != nullptr) table->Write(tail);
    tail.clear();
  };

  clSafeText::Append(tail, context.rootPath);
  tail += kLineBreak;
  emitTail();

  for (const clCompositionFolder& entry : context.folderList) {
    if (worker.Terminated()) return false;
    worker.CountOutput();

    const uint32_t levels = static_cast<uint16_t>(entry.GetLevel());
    if (commas.size() < levels) {
      commas.resize(levels, ',');
      tabs.resize(levels, '\t');
    }
    const uint32_t separators = AllowedSeparators(worker, levels);
    if (file != nullptr) file->Write(std::string_view(commas.data(), separators));
    if (table != nullptr) table->Write(std::string_view(tabs.data(), separators));
    if (separators < levels) return false;

    clSafeText::Append(tail, entry.Name());
    tail += kLineBreak;
    emitTail();
  }
  return true;
}
