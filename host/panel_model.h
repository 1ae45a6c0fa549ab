// What the Quillmark panel calls for in a scene, worked out from the scene
// alone, independently of the plugin's code: the reference validate checks
// a plugin's draws against.
#pragma once

#include <optional>
#include <vector>

#include "pluginsdk/host/world.h"
#include "recorded_canvas.h"

namespace quillmark::host {

// The car list of a replay event as the plugin sees it call by call: `pool`
// is every car, and the Kth time the plugin asks for the list's count the
// list is the first `lengths[K]` cars (the last entry repeats; no entries:
// always the whole pool).
struct ChangingCars {
  std::vector<std::optional<pluginsdk::host::Car>> pool;
  std::vector<std::size_t> lengths;

  std::size_t lengthAt(std::size_t countCall) const;
};

// The canvas calls of one frame of `scene`, whose event's cars are `cars`.
// Numbers appear as snprintf's "%f" prints them.
std::vector<canvas::CanvasOp> expectedFrame(const pluginsdk::host::Scene& scene,
                                            const ChangingCars& cars);

}  // namespace quillmark::host
