// Opens a plugin module file and finds its descriptor, the way the host's
// loader does. The one place that knows the platform's loader calls.
#pragma once

#include <stdexcept>
#include <string>

#include "pluginsdk/plugin_descriptor.h"

namespace quillmark::host {

// A module that cannot be used: missing, not a module, no `exports`, or a
// descriptor of another interface build. The message names the file.
class ModuleError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An open module; closing it (on destruction) unmaps its code, so nothing
// that lives in the module may be used afterwards.
class LoadedModule {
 public:
  // Whether a descriptor of another interface build is refused. The
  // validator opens such a module anyway, to report on its descriptor.
  enum class BuildCheck { Require, Skip };

  // Opens `path` and checks its descriptor; throws ModuleError.
  explicit LoadedModule(const std::string& path, BuildCheck check = BuildCheck::Require);
  ~LoadedModule();
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  const PluginDescriptor& descriptor() const noexcept { return *descriptor_; }
  const std::string& path() const noexcept { return path_; }

 private:
  std::string path_;
  void* handle_ = nullptr;
  const PluginDescriptor* descriptor_ = nullptr;
};

}  // namespace quillmark::host
