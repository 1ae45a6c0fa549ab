// The running game as a whole: replay state, camera, game event, drawables.
#pragma once

#include <functional>

#include "pluginsdk/canvas_wrapper.h"
#include "pluginsdk/export.h"
#include "pluginsdk/tracked_wrapper.h"
#include "pluginsdk/wrappers.h"

class PLUGINSDK_API GameWrapper : public pluginsdk::TrackedWrapper {
 public:
  GameWrapper() noexcept = default;

  bool IsInReplay() const;      // true while a replay is shown
  CameraWrapper GetCamera() const;  // null when there is no active camera
  ReplayServerWrapper GetGameEventAsReplay() const;  // null outside a replay

  // Keeps `drawable` and calls it with a canvas on every frame the host draws,
  // until the host drops it. A plugin has no way to withdraw it.
  void RegisterDrawable(std::function<void(CanvasWrapper)> drawable);
};
