#include "panel_model.h"

#include <algorithm>

#include "reference_panel.h"

namespace quillmark::host {

std::size_t ChangingCars::lengthAt(std::size_t countCall) const {
  if (lengths.empty()) return pool.size();
  return lengths[std::min(countCall, lengths.size() - 1)];
}

std::vector<canvas::CanvasOp> expectedFrame(const pluginsdk::host::Scene& scene,
                                            const ChangingCars& cars) {
  std::vector<canvas::CanvasOp> ops;
  // Every link from the game to the viewed player must be there.
  if (!scene.inReplay || !scene.camera || !scene.event) return ops;
  const auto viewed = scene.players.find(scene.camera->viewTarget);
  if (viewed == scene.players.end()) return ops;
  // The count is asked once to see whether there are cars, then again
  // before every index.
  std::size_t countCall = 0;
  if (cars.lengthAt(countCall++) == 0) return ops;
  for (std::size_t i = 0; i < cars.lengthAt(countCall++); ++i) {
    const auto& car = cars.pool[i];
    if (!car || scene.players.count(car->pri) == 0) continue;
    if (!viewed->second.hasCar) continue;
    canvas::appendReferencePanel(ops, viewed->second.name, viewed->second.camera);
  }
  return ops;
}

}  // namespace quillmark::host
