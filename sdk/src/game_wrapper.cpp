// The game as a whole, answered from the world's scene.

#include "pluginsdk/game_wrapper.h"

#include <utility>

#include "addresses.h"
#include "pluginsdk/host/world.h"

using pluginsdk::detail::AddressKind;
using pluginsdk::detail::makeAddress;
using pluginsdk::host::Operation;
using pluginsdk::host::world;

bool GameWrapper::IsInReplay() const {
  world().enter(Operation::IsInReplay);
  return world().scene.inReplay;
}

CameraWrapper GameWrapper::GetCamera() const {
  world().enter(Operation::GetCamera);
  return CameraWrapper(world().scene.camera ? makeAddress(AddressKind::Camera, 1) : 0);
}

ReplayServerWrapper GameWrapper::GetGameEventAsReplay() const {
  world().enter(Operation::GetGameEventAsReplay);
  const auto& scene = world().scene;
  const bool live = scene.inReplay && scene.event.has_value();
  return ReplayServerWrapper(live ? makeAddress(AddressKind::ReplayEvent, 1) : 0);
}

void GameWrapper::RegisterDrawable(std::function<void(CanvasWrapper)> drawable) {
  world().enter(Operation::RegisterDrawable);
  world().drawables().push_back(std::move(drawable));
}
