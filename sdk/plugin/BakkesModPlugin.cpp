// The plugin base class's out-of-line members, built into each plugin module
// so the module exports them.

#include "pluginsdk/plugin.h"

namespace BakkesMod::Plugin {

BakkesModPlugin::BakkesModPlugin() = default;
BakkesModPlugin::BakkesModPlugin(const BakkesModPlugin& other) = default;
BakkesModPlugin::BakkesModPlugin(BakkesModPlugin&& other) noexcept = default;
BakkesModPlugin& BakkesModPlugin::operator=(const BakkesModPlugin& other) = default;
BakkesModPlugin& BakkesModPlugin::operator=(BakkesModPlugin&& other) noexcept = default;
BakkesModPlugin::~BakkesModPlugin() = default;

void BakkesModPlugin::onLoad() {}
void BakkesModPlugin::onUnload() {}

}  // namespace BakkesMod::Plugin
