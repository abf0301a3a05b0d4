#include "output/clcsvwriter.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "output/cloutputtargets.h"
#include "output/clsafetext.h"

namespace {

constexpr std::string_view kLineBreak = "\r\n";

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

  // Each row is built here with commas and handed to the file; its separators are then
  // turned into tabs for the table form, the rest of the row being the same.
  std::string row;
  row.reserve(512);
  auto emit = [&](std::size_t separators) {
    if (file != nullptr) file->Write(row);
    if (table != nullptr) {
      row.replace(0, separators, separators, '\t');
      table->Write(row);
    }
    row.clear();
  };

  clSafeText::Append(row, context.rootPath);
  row += kLineBreak;
  emit(0);

  for (const clCompositionFolderView entry : context.folderList) {
    if (worker.Terminated()) return false;
    worker.CountOutput();

    const uint32_t levels = static_cast<uint16_t>(entry.GetLevel());
    const uint32_t separators = clOutputTargets::PiecesBeforeStop(worker, levels);
    row.append(separators, ',');
    if (separators < levels) {
      emit(separators);
      return false;
    }
    clSafeText::Append(row, entry.Name());
    row += kLineBreak;
    emit(separators);
  }
  return true;
}
