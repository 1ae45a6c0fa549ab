// Wrappers over the game's objects: cameras, players, cars, game events, and
// the strings and arrays they answer with.
//
// Every wrapper is a value that refers to a game object; obtaining one never
// keeps the object alive, and IsNull tells whether a live object is still
// behind it. Every operation may throw when the host call behind it fails.
#pragma once

#include <cstdint>
#include <string>

#include "pluginsdk/export.h"
#include "pluginsdk/records.h"
#include "pluginsdk/tracked_wrapper.h"

class CarWrapper;
class PriWrapper;

// Anything in the game world. `address` names the object; it is only ever
// looked up, never dereferenced, so any value is safe to hold.
class PLUGINSDK_API ActorWrapper : public pluginsdk::TrackedWrapper {
 public:
  explicit ActorWrapper(std::uint64_t address) noexcept : address_(address) {}

  // True when no live game object is behind this wrapper.
  bool IsNull() const;

  std::uint64_t address() const noexcept { return address_; }

 private:
  std::uint64_t address_;
};

class PLUGINSDK_API BaseCameraWrapper : public ActorWrapper {
 public:
  using ActorWrapper::ActorWrapper;

  ViewTarget GetViewTarget() const;
};

class PLUGINSDK_API CameraWrapper : public BaseCameraWrapper {
 public:
  using BaseCameraWrapper::BaseCameraWrapper;
};

// Text owned by the game.
class PLUGINSDK_API UnrealStringWrapper : public pluginsdk::TrackedWrapper {
 public:
  explicit UnrealStringWrapper(std::uint64_t owner) noexcept : owner_(owner) {}

  // The text as narrow bytes.
  std::string ToString() const;

 private:
  std::uint64_t owner_;
};

class PLUGINSDK_API PlayerReplicationInfoWrapper : public ActorWrapper {
 public:
  using ActorWrapper::ActorWrapper;

  UnrealStringWrapper GetPlayerName() const;
};

// A player's replication info. Built from any handle; a handle that names no
// live player gives a null wrapper.
class PLUGINSDK_API PriWrapper : public PlayerReplicationInfoWrapper {
 public:
  explicit PriWrapper(std::uint64_t handle);
  // How the SDK itself makes one: not a call of the plugin's, cannot fail.
  struct Internal {};
  PriWrapper(std::uint64_t handle, Internal) noexcept : PlayerReplicationInfoWrapper(handle) {}

  CarWrapper GetCar() const;  // null when the player has no car
  ProfileCameraSettings GetCameraSettings() const;
};

class PLUGINSDK_API VehicleWrapper : public ActorWrapper {
 public:
  using ActorWrapper::ActorWrapper;

  PriWrapper GetPRI() const;  // null when the car has no player info
};

class PLUGINSDK_API CarWrapper : public VehicleWrapper {
 public:
  using VehicleWrapper::VehicleWrapper;
};

template <class T>
class ArrayWrapper;

// The cars of a game event. The list is the game's and may change length
// from one call to the next, so ask Count again before each Get.
template <>
class PLUGINSDK_API ArrayWrapper<CarWrapper> : public pluginsdk::TrackedWrapper {
 public:
  explicit ArrayWrapper(std::uint64_t event) noexcept : event_(event) {}

  std::int32_t Count() const;
  // A null car for an index outside the list.
  CarWrapper Get(std::int32_t index) const;

 private:
  std::uint64_t event_;
};

class PLUGINSDK_API GameEventWrapper : public ActorWrapper {
 public:
  using ActorWrapper::ActorWrapper;

  ArrayWrapper<CarWrapper> GetCars() const;
};

class PLUGINSDK_API ReplayServerWrapper : public GameEventWrapper {
 public:
  using GameEventWrapper::GameEventWrapper;
};
