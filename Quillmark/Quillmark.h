// Quillmark: while a replay is shown, draws the camera settings of the player
// the replay camera is viewing.
#pragma once

#include <memory>

#include "pluginsdk/canvas_wrapper.h"
#include "pluginsdk/plugin.h"

class Quillmark final : public BakkesMod::Plugin::BakkesModPlugin {
 public:
  // Shares the manager into globalManagerHandle and registers the draw pass.
  void onLoad() override;
  // Nothing to do: the draw pass stays registered, as a plugin cannot
  // withdraw it; the host drops it.
  void onUnload() override;

  // The draw pass, called by the host once per frame. Asks the game for
  // everything anew each time and keeps nothing.
  void renderSettings(CanvasWrapper canvas);
};

// Module-wide share of the host's manager, set by every onLoad.
extern std::shared_ptr<ManagerWrapper> globalManagerHandle;

// Module-wide owner of the plugin object, filled by getPlugin.
extern std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin> pluginInstance;

// This file's path as the compiler recorded it, for the module's descriptor.
extern const char quillmarkMainSourceFile[];
