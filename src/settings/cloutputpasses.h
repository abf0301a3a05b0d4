#pragma once

#include <cstdint>

#include "settings/clsoftoption.h"

// The output passes a read makes with these settings: the tabular pass (CSV file or the
// clipboard's table form) and the text pass (text file or the clipboard's text form).
// The output run makes them, and the worker counts them for its progress.
class clOutputPasses {
 public:
  static bool TableClipboard(const clSoftOption& option);
  static bool TextClipboard(const clSoftOption& option);
  static bool Tabular(const clSoftOption& option);
  static bool Text(const clSoftOption& option);
  static uint16_t Count(const clSoftOption& option);
};
