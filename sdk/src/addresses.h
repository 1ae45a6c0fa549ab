// How wrapper addresses name objects of the simulated game.
//
// The top byte of an address says what kind of object it names; the rest
// says which. Player handles carry kind 0, so a host's own handles are used
// as they are. Every lookup checks the scene as it is now, so a wrapper whose
// object has gone since it was obtained is null rather than stale.
#pragma once

#include <cstdint>

#include "pluginsdk/host/world.h"

namespace pluginsdk::detail {

enum class AddressKind : std::uint8_t {
  Player = 0,
  Camera = 1,
  ReplayEvent = 2,
  EventCar = 3,   // rest: index in the event's car list
  PlayerCar = 4,  // rest: handle of the player who drives it
};

constexpr std::uint64_t kKindShift = 56;
constexpr std::uint64_t kRestMask = (std::uint64_t{1} << kKindShift) - 1;

constexpr std::uint64_t makeAddress(AddressKind kind, std::uint64_t rest) {
  return (std::uint64_t{static_cast<std::uint8_t>(kind)} << kKindShift) | (rest & kRestMask);
}
constexpr AddressKind kindOf(std::uint64_t address) {
  return static_cast<AddressKind>(address >> kKindShift);
}
constexpr std::uint64_t restOf(std::uint64_t address) { return address & kRestMask; }

// The live player a handle names, or null.
const host::Player* findPlayer(const host::Scene& scene, std::uint64_t handle);
// The live car an address names, or null. An event car carries its driver's
// handle; a player's car is driven by that player.
std::optional<host::Car> findCar(const host::Scene& scene, std::uint64_t address);
// Whether a live object is behind an address of any kind.
bool isLive(const host::Scene& scene, std::uint64_t address);

}  // namespace pluginsdk::detail
