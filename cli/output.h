// Standard output, written as records are produced: never more than a block waits.
#pragma once

#include <string>
#include <string_view>

#include "platform.h"

namespace varnock::cli {

class Output {
 public:
  static constexpr std::size_t kBlock = 64 * 1024;

  void Write(std::string_view text);
  // Writes what waits. False when anything could not be written: a closed pipe says
  // nothing, any other failure is reported on standard error.
  bool Flush();
  bool failed() const { return failed_; }

 private:
  void WriteNow(std::string_view text);

  std::string pending_;
  bool failed_ = false;
};

}  // namespace varnock::cli
