// The game as a whole, answered from the world's scene.

#include "pluginsdk/game_wrapper.h"

#include <utility>

#include "addresses.h"
#include "pluginsdk/host/world.h"

using pluginsdk::detail::AddressKind;
using pluginsdk::detail::makeAddress;
using pluginsdk::host::Operation;
using pluginsdk::host::World;
using pluginsdk::host::world;

bool GameWrapper::IsInReplay() const {
  World& game = world();
  game.enter(Operation::IsInReplay);
  return game.scene.inReplay;
}

CameraWrapper GameWrapper::GetCamera() const {
  World& game = world();
  game.enter(Operation::GetCamera);
  return CameraWrapper(game.scene.camera ? makeAddress(AddressKind::Camera, 1) : 0);
}

ReplayServerWrapper GameWrapper::GetGameEventAsReplay() const {
  World& game = world();
  game.enter(Operation::GetGameEventAsReplay);
  const auto& scene = game.scene;
  const bool live = scene.inReplay && scene.event.has_value();
  return ReplayServerWrapper(live ? makeAddress(AddressKind::ReplayEvent, 1) : 0);
}

void GameWrapper::RegisterDrawable(std::function<void(CanvasWrapper)> drawable) {
  World& game = world();
  game.enter(Operation::RegisterDrawable);
  game.drawables().push_back(std::move(drawable));
}
