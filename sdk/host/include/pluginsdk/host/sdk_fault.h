// The exception the SDK throws when the host has told it to fail a call.
#pragma once

#include <cstdint>
#include <stdexcept>

#include "pluginsdk/export.h"

namespace pluginsdk::host {

class PLUGINSDK_API SdkFault : public std::runtime_error {
 public:
  explicit SdkFault(std::uint64_t callNumber);
  ~SdkFault() override;

  std::uint64_t callNumber() const noexcept { return callNumber_; }  // 1-based

 private:
  std::uint64_t callNumber_;
};

}  // namespace pluginsdk::host
