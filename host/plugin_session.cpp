#include "plugin_session.h"

#include <cstdint>

#include "pluginsdk/host/world.h"

namespace quillmark::host {

using PluginHandle = std::shared_ptr<BakkesMod::Plugin::BakkesModPlugin>;

PluginSession::PluginSession(const LoadedModule& module)
    : module_(module), manager_(std::make_shared<ManagerWrapper>()) {
  manager_->owner = module.path();
  auto& drawables = pluginsdk::host::world().drawables();
  firstDrawable_ = drawables.size();
  const std::uintptr_t entry = module.descriptor().createEntry();
  plugin_ = *reinterpret_cast<const PluginHandle*>(entry);
  watched_ = plugin_;
  if (!plugin_) {
    module.descriptor().deleteEntry();
    throw ModuleError(module.path() + ": createEntry made no plugin object");
  }
  plugin_->managerHandle = manager_;
  plugin_->gameHandle = std::make_shared<GameWrapper>();
  try {
    plugin_->onLoad();
  } catch (...) {
    drawables.erase(drawables.begin() + static_cast<std::ptrdiff_t>(firstDrawable_),
                    drawables.end());
    plugin_.reset();
    module.descriptor().deleteEntry();
    throw;
  }
}

PluginSession::~PluginSession() {
  if (ended_) return;
  try {
    end();
  } catch (...) {
  }
}

void PluginSession::drawFrame(pluginsdk::host::CanvasSink& sink) {
  pluginsdk::host::world().draw(sink);
}

void PluginSession::end() {
  ended_ = true;
  // Whatever onUnload does, the rest of the take-down must happen, or code of
  // the module would outlive it.
  struct TakeDown {
    PluginSession& session;
    ~TakeDown() {
      auto& drawables = pluginsdk::host::world().drawables();
      if (drawables.size() > session.firstDrawable_) {
        drawables.erase(drawables.begin() + static_cast<std::ptrdiff_t>(session.firstDrawable_),
                        drawables.end());
      }
      session.plugin_.reset();
      session.module_.descriptor().deleteEntry();
    }
  } takeDown{*this};
  plugin_->onUnload();
}

}  // namespace quillmark::host
