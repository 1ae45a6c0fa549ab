// The checks `validate` runs, each against a freshly opened module. A check
// returns normally when it passes and throws CheckFailed (or anything else)
// when it does not.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quillmark::host {

class CheckFailed : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Descriptor fields: interface build, zero padding, texts, entry points.
void checkDescriptor(const std::string& plugin, std::uint64_t seed);
// Hundreds of create/delete cycles within one load: no plugin object or
// wrapper is left after each.
void checkCreateDelete(const std::string& plugin, std::uint64_t seed);
// Load/unload cycles of the module file: nothing shares the manager and no
// wrapper is alive once the module is gone.
void checkLoadUnload(const std::string& plugin, std::uint64_t seed);
// A fault at every SDK call of a full pass in turn reaches the host, leaves
// no wrapper behind and out of order, and the next pass is complete.
void checkFaults(const std::string& plugin, std::uint64_t seed);
// Generated scenes from the seed: the draws match what each scene calls for.
void checkScenes(const std::string& plugin, std::uint64_t seed);

}  // namespace quillmark::host
