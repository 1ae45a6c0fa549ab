#include "panel_model.h"

#include <cstdio>
#include <string>

namespace quillmark::host {

std::size_t ChangingCars::lengthAt(std::size_t countCall) const {
  if (lengths.empty()) return pool.size();
  return lengths[std::min(countCall, lengths.size() - 1)];
}

namespace {

std::string fixed(float value) {
  char text[64];
  std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
  return text;
}

void appendPanel(std::vector<canvas::CanvasOp>& ops, const pluginsdk::host::Player& viewed) {
  struct Row {
    const char* label;
    std::int32_t y;
    float value;
  };
  const ProfileCameraSettings& s = viewed.camera;
  const Row rows[] = {
      {"FOV: ", 220, s.FOV},
      {"Distance: ", 240, s.Distance},
      {"Height: ", 260, s.Height},
      {"Angle: ", 280, s.Angle},
      {"Stiffness: ", 300, s.Stiffness},
      {"Swivel Speed: ", 320, s.SwivelSpeed},
      {"Transition Speed: ", 340, s.TransitionSpeed},
  };
  ops.emplace_back(canvas::SetColor{0, 0, 0, 30});
  ops.emplace_back(canvas::DrawRect{5, 190, 255, 365});
  ops.emplace_back(canvas::SetColor{225, 225, 225, 255});
  ops.emplace_back(canvas::SetPosition{15, 200});
  ops.emplace_back(canvas::DrawString{"Player Settings: " + viewed.name, 1, 1, true, false});
  for (const Row& row : rows) {
    ops.emplace_back(canvas::SetPosition{15, row.y});
    ops.emplace_back(canvas::DrawString{row.label + fixed(row.value), 1, 1, true, false});
  }
  ops.emplace_back(canvas::SetPosition{15, 360});
}

}  // namespace

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
    appendPanel(ops, viewed->second);
  }
  return ops;
}

}  // namespace quillmark::host
