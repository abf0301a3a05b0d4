#include "output/cltextwriter.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "output/cloutputtargets.h"
#include "output/clsafetext.h"

namespace {

// The pieces of one form of the tree.
struct clTreeForm {
  std::string_view beforeRoot;  // lines before the root line
  std::string_view rootIndent;
  std::string_view firstLevel;    // indent piece for level 1
  std::string_view furtherLevel;  // indent piece for each level below it
  std::string_view dashes;
  bool connector;  // a line with the entry's indent alone before each entry
};

constexpr clTreeForm kFullForm{"\r\n", "    ", "        |", "            |", "--------", true};
constexpr clTreeForm kShortForm{"", "", "    |", "        |", "----", false};

constexpr std::string_view kLineBreak = "\r\n";

}  // namespace

bool clTextWriter::WriteTextList(const clOutputContext& context, bool toFile, bool toClipboard) {
  return Write(context, false, toFile, toClipboard);
}

bool clTextWriter::WriteShortTextList(const clOutputContext& context, bool toFile,
                                      bool toClipboard) {
  return Write(context, true, toFile, toClipboard);
}

bool clTextWriter::Write(const clOutputContext& context, bool shortForm, bool toFile,
                         bool toClipboard) {
  clOutputTargets targets(context, context.outputBasePath + ".txt", toFile, toClipboard);
  if (!targets.Open()) return false;
  const bool completed = WriteTree(context, shortForm, targets.File(), targets.Text());
  return targets.Finish(completed);
}

bool clTextWriter::WriteTree(const clOutputContext& context, bool shortForm, clOutputSink* file,
                             clOutputSink* text) {
  const clTreeForm& form = shortForm ? kShortForm : kFullForm;
  clWorkerLink& worker = context.worker;

  // The indent of the deepest level met so far; an entry's indent is a prefix of it.
  std::string indent(form.firstLevel);
  uint32_t indentLevels = 1;
  auto indentSize = [&form](uint32_t pieces) -> std::size_t {
    return pieces == 0 ? 0 : form.firstLevel.size() + (pieces - 1) * form.furtherLevel.size();
  };

  // Each entry's lines are built here and handed to the sinks in one piece.
  std::string lines;
  lines.reserve(4096);
  auto emit = [&] {
    if (file != nullptr) file->Write(lines);
    if (text != nullptr) text->Write(lines);
    lines.clear();
  };

  lines += form.beforeRoot;
  lines += form.rootIndent;
  clSafeText::Append(lines, context.rootPath);
  lines += kLineBreak;
  emit();

  for (const clCompositionFolderView entry : context.folderList) {
    if (worker.Terminated()) return false;
    worker.CountOutput();

    const uint32_t levels = static_cast<uint16_t>(entry.GetLevel());
    while (indentLevels < levels) {
      indent += form.furtherLevel;
      ++indentLevels;
    }
    // The entry's indent, piece by piece with the stop tested before each; false when
    // the read was stopped part-way (what was written so far goes out).
    auto appendIndent = [&] {
      const uint32_t pieces = clOutputTargets::PiecesBeforeStop(worker, levels);
      lines.append(indent, 0, indentSize(pieces));
      if (pieces == levels) return true;
      emit();
      return false;
    };
    if (form.connector) {
      if (!appendIndent()) return false;
      lines += kLineBreak;
    }
    if (!appendIndent()) return false;
    lines += form.dashes;
    if (entry.GetIsFolder() != 0) lines += '\\';
    clSafeText::Append(lines, entry.Name());
    lines += kLineBreak;
    emit();
  }
  return true;
}
