// The game-object wrappers, answered from the world's scene.

#include "pluginsdk/wrappers.h"

#include "addresses.h"
#include "pluginsdk/host/world.h"

using pluginsdk::detail::AddressKind;
using pluginsdk::detail::findCar;
using pluginsdk::detail::findPlayer;
using pluginsdk::detail::makeAddress;
using pluginsdk::host::Operation;
using pluginsdk::host::World;
using pluginsdk::host::world;

bool ActorWrapper::IsNull() const {
  World& game = world();
  game.enter(Operation::IsNull);
  return !pluginsdk::detail::isLive(game.scene, address_);
}

ViewTarget BaseCameraWrapper::GetViewTarget() const {
  World& game = world();
  game.enter(Operation::GetViewTarget);
  ViewTarget target{};
  const auto& camera = game.scene.camera;
  if (camera && address() != 0) target.PriHandle = camera->viewTarget;
  return target;
}

std::string UnrealStringWrapper::ToString() const {
  World& game = world();
  game.enter(Operation::ToString);
  const pluginsdk::host::Player* owner = findPlayer(game.scene, owner_);
  return owner == nullptr ? std::string() : owner->name;
}

UnrealStringWrapper PlayerReplicationInfoWrapper::GetPlayerName() const {
  world().enter(Operation::GetPlayerName);
  return UnrealStringWrapper(address());
}

PriWrapper::PriWrapper(std::uint64_t handle) : PlayerReplicationInfoWrapper(handle) {
  world().enter(Operation::PriFromHandle);
}

CarWrapper PriWrapper::GetCar() const {
  World& game = world();
  game.enter(Operation::GetCar);
  const bool live = findPlayer(game.scene, address()) != nullptr;
  return CarWrapper(live ? makeAddress(AddressKind::PlayerCar, address()) : 0);
}

ProfileCameraSettings PriWrapper::GetCameraSettings() const {
  World& game = world();
  game.enter(Operation::GetCameraSettings);
  const pluginsdk::host::Player* player = findPlayer(game.scene, address());
  return player == nullptr ? ProfileCameraSettings{} : player->camera;
}

PriWrapper VehicleWrapper::GetPRI() const {
  World& game = world();
  game.enter(Operation::GetPRI);
  const auto car = findCar(game.scene, address());
  return PriWrapper(car ? car->pri : 0, PriWrapper::Internal{});
}

std::int32_t ArrayWrapper<CarWrapper>::Count() const {
  World& game = world();
  game.enter(Operation::Count);
  const auto& event = game.scene.event;
  if (event_ == 0 || !event) return 0;
  // The game's arrays count in 32 bits; a longer list shows its first 2^31-1.
  const std::size_t count = event->cars.size();
  return count > INT32_MAX ? INT32_MAX : static_cast<std::int32_t>(count);
}

CarWrapper ArrayWrapper<CarWrapper>::Get(std::int32_t index) const {
  world().enter(Operation::Get);
  if (event_ == 0 || index < 0) return CarWrapper(0);
  return CarWrapper(makeAddress(AddressKind::EventCar, static_cast<std::uint64_t>(index)));
}

ArrayWrapper<CarWrapper> GameEventWrapper::GetCars() const {
  World& game = world();
  game.enter(Operation::GetCars);
  return ArrayWrapper<CarWrapper>(game.scene.event ? address() : 0);
}
