#pragma once

#include <string>
#include <string_view>

#include "output/cloutputsink.h"

// Appends everything written to a string the caller owns.
class clStringSink : public clOutputSink {
 public:
  explicit clStringSink(std::string& target) : target(target) {}
  void Write(std::string_view bytes) override { target.append(bytes); }

 private:
  std::string& target;
};
