#include "addresses.h"

namespace pluginsdk::detail {

const host::Player* findPlayer(const host::Scene& scene, std::uint64_t handle) {
  if (handle == 0 || kindOf(handle) != AddressKind::Player) return nullptr;
  const auto found = scene.players.find(handle);
  return found == scene.players.end() ? nullptr : &found->second;
}

std::optional<host::Car> findCar(const host::Scene& scene, std::uint64_t address) {
  switch (kindOf(address)) {
    case AddressKind::EventCar: {
      const std::uint64_t index = restOf(address);
      if (!scene.event || index >= scene.event->cars.size()) return std::nullopt;
      return scene.event->cars[index];
    }
    case AddressKind::PlayerCar: {
      const host::Player* driver = findPlayer(scene, restOf(address));
      if (driver == nullptr || !driver->hasCar) return std::nullopt;
      return host::Car{restOf(address)};
    }
    default:
      return std::nullopt;
  }
}

bool isLive(const host::Scene& scene, std::uint64_t address) {
  switch (kindOf(address)) {
    case AddressKind::Player:
      return findPlayer(scene, address) != nullptr;
    case AddressKind::Camera:
      return scene.camera.has_value();
    case AddressKind::ReplayEvent:
      return scene.event.has_value();
    case AddressKind::EventCar:
    case AddressKind::PlayerCar:
      return findCar(scene, address).has_value();
  }
  return false;
}

}  // namespace pluginsdk::detail
