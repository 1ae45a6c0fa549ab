// quillmark-host validate: runs each check of a plugin module in a child
// process of its own and reports one line per check.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillmark::host {

struct ValidateOptions {
  std::string program;  // how to name this program in a reproducing command line
  std::string plugin;
  std::uint64_t seed = 1;
  bool json = false;
  std::string only;                // one check by name, or all when empty
  unsigned timeLimitSeconds = 60;  // per check
};

bool isCheckName(std::string_view name);

// Runs the checks; returns the exit status: 0 when all pass, 1 otherwise.
int validate(const ValidateOptions& options);

}  // namespace quillmark::host
