// Plain records the SDK hands to plugins by value.
#pragma once

#include <cstddef>
#include <cstdint>

// A point in canvas coordinates.
struct Vector2 {
  std::int32_t X;  // canvas units, rightwards
  std::int32_t Y;  // canvas units, downwards
};
static_assert(sizeof(Vector2) == 8);
static_assert(offsetof(Vector2, X) == 0 && offsetof(Vector2, Y) == 4);

// What a camera is looking at. Only the last field is meant for plugins; the
// rest is the game's own and opaque.
struct ViewTarget {
  unsigned char Opaque[48];  // game-internal, not for plugins
  std::uint64_t PriHandle;   // names the viewed player's replication info
};
static_assert(sizeof(ViewTarget) == 56);
static_assert(offsetof(ViewTarget, PriHandle) == 48);

// A player's camera profile, as the game stores it.
struct ProfileCameraSettings {
  float FOV;              // field of view, degrees
  float Height;           // above the car
  float Angle;            // pitch, degrees
  float Distance;         // behind the car
  float Stiffness;        // 0..1
  float SwivelSpeed;      // swivel rate
  float TransitionSpeed;  // ball-cam transition rate
};
static_assert(sizeof(ProfileCameraSettings) == 28);
static_assert(offsetof(ProfileCameraSettings, FOV) == 0);
static_assert(offsetof(ProfileCameraSettings, Height) == 4);
static_assert(offsetof(ProfileCameraSettings, Angle) == 8);
static_assert(offsetof(ProfileCameraSettings, Distance) == 12);
static_assert(offsetof(ProfileCameraSettings, Stiffness) == 16);
static_assert(offsetof(ProfileCameraSettings, SwivelSpeed) == 20);
static_assert(offsetof(ProfileCameraSettings, TransitionSpeed) == 24);
