// The base class of every plugin. It is compiled into each plugin module,
// not into the SDK library, and exported from the module with all its
// special members and its virtual table.
#pragma once

#include <memory>

#include "pluginsdk/export.h"
#include "pluginsdk/game_wrapper.h"

class ManagerWrapper;  // the host's plugin manager; plugins only share the handle

namespace BakkesMod::Plugin {

class PLUGIN_EXPORT BakkesModPlugin {
 public:
  // Filled by the host after the plugin object is made and before onLoad.
  // Declared in this order so that destruction releases gameHandle first.
  std::shared_ptr<ManagerWrapper> managerHandle;
  std::shared_ptr<GameWrapper> gameHandle;

  BakkesModPlugin();
  BakkesModPlugin(const BakkesModPlugin& other);             // shares both handles
  BakkesModPlugin(BakkesModPlugin&& other) noexcept;         // takes both, source left empty
  BakkesModPlugin& operator=(const BakkesModPlugin& other);  // shares; drops what it held
  BakkesModPlugin& operator=(BakkesModPlugin&& other) noexcept;
  // Not virtual: the host destroys a plugin through the control block that
  // knows its real class, never through this base.
  ~BakkesModPlugin();

  // Called by the host once the handles are set, and before unloading.
  virtual void onLoad();
  virtual void onUnload();
};

}  // namespace BakkesMod::Plugin
