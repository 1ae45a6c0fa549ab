// The module's boundary with the host's loader: the descriptor `exports` and
// the entry points it names.

#include <cstdint>
#include <memory>
#include <utility>

#include "Quillmark.h"
#include "QuillmarkVersion.h"
#include "pluginsdk/plugin_descriptor.h"

extern "C" {
PLUGIN_EXPORT std::uintptr_t getPlugin();
PLUGIN_EXPORT void deleteMe();
PLUGIN_EXPORT extern const PluginDescriptor exports;
}

namespace {
constexpr char kPluginName[] = "Quillmark";  // both class and display name
constexpr std::uint32_t kTypeFlags = 0x10;
}  // namespace

extern "C" const PluginDescriptor exports = {
    kPluginApiBuild, 0, quillmarkMainSourceFile, kPluginName, kPluginName,
    kQuillmarkVersionText, kTypeFlags, 0, &getPlugin, &deleteMe,
};

// Makes the plugin object on first use. The object and its control block are
// two allocations, object first; if the block's fails, the handle's
// constructor deletes the object again, so nothing leaks and pluginInstance
// stays empty while the failure reaches the caller. The move then stores the
// object pointer before the control-block pointer.
std::uintptr_t getPlugin() {
  if (pluginInstance.get() == nullptr) {
    std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin> created(new Quillmark());
    pluginInstance = std::move(created);
  }
  return reinterpret_cast<std::uintptr_t>(&pluginInstance);
}

// Drops the module's reference: the handle is emptied first, then the
// reference it held is released, so a host reading pluginInstance meanwhile
// never sees an object that is being destroyed.
void deleteMe() {
  if (pluginInstance.get() == nullptr) return;
  std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin> released;
  released.swap(pluginInstance);
}
