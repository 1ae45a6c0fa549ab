// One plugin's life in the host: made, given its handles, loaded, drawn, and
// taken down again in the order the host's loader uses.
#pragma once

#include <cstddef>
#include <memory>

#include "module_loader.h"
#include "pluginsdk/host/canvas_sink.h"
#include "pluginsdk/host/manager.h"
#include "pluginsdk/plugin.h"

namespace quillmark::host {

class PluginSession {
 public:
  // createEntry, a copy of the handle, managerHandle and gameHandle, onLoad.
  explicit PluginSession(const LoadedModule& module);
  // Ends the session if end() was not called; errors are swallowed here.
  ~PluginSession();
  PluginSession(const PluginSession&) = delete;
  PluginSession& operator=(const PluginSession&) = delete;

  // Calls every drawable once with a canvas over `sink`.
  void drawFrame(pluginsdk::host::CanvasSink& sink);

  // onUnload, drops the drawables this plugin registered (their code lives in
  // the module), drops the host's copy of the handle, deleteEntry.
  void end();

  // After end(): whether the plugin object is gone; and
  // the host's manager, to see who still shares it.
  bool pluginObjectGone() const noexcept { return watched_.expired(); }
  std::weak_ptr<ManagerWrapper> manager() const noexcept { return manager_; }

 private:
  const LoadedModule& module_;
  std::shared_ptr<ManagerWrapper> manager_;
  std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin> plugin_;
  std::weak_ptr<BakkesMod::Plugin::BakkesModPlugin> watched_;
  std::size_t firstDrawable_ = 0;
  bool ended_ = false;
};

}  // namespace quillmark::host
