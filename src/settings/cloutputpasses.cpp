#include "settings/cloutputpasses.h"

#include "settings/clclipboardform.h"

bool clOutputPasses::TableClipboard(const clSoftOption& option) {
  return option.GetOutputClipboard() &&
         option.GetClipboardMode() == clClipboardMode(clClipboardForm::Table);
}

bool clOutputPasses::TextClipboard(const clSoftOption& option) {
  return option.GetOutputClipboard() &&
         option.GetClipboardMode() == clClipboardMode(clClipboardForm::Text);
}

bool clOutputPasses::Tabular(const clSoftOption& option) {
  return option.GetOutputCsv() || TableClipboard(option);
}

bool clOutputPasses::Text(const clSoftOption& option) {
  return option.GetOutputTxt() || TextClipboard(option);
}

uint16_t clOutputPasses::Count(const clSoftOption& option) {
  return static_cast<uint16_t>((Tabular(option) ? 1 : 0) + (Text(option) ? 1 : 0));
}
