#include "settings/cloutputpasses.h"

bool clOutputPasses::TableClipboard(const clSoftOption& option) {
  return option.GetOutputClipboard() && option.GetClipboardMode() == 1;
}

bool clOutputPasses::TextClipboard(const clSoftOption& option) {
  return option.GetOutputClipboard() && option.GetClipboardMode() == 0;
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
