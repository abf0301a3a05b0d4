#pragma once

#include <string_view>

// Where a writer's bytes go: the output file or a text in memory (the clipboard text,
// or a test's buffer). Writers build whole lines and hand them over in one call.
class clOutputSink {
 public:
  virtual ~clOutputSink() = default;
  virtual void Write(std::string_view bytes) = 0;
};
