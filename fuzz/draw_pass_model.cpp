#include "draw_pass_model.h"

#include <cstdio>
#include <string>
#include <utility>

namespace quillmark::fuzz {
namespace {

using pluginsdk::host::Player;

std::string printed(const char* label, float value) {
  char text[512];
  const int length = std::snprintf(text, sizeof text, "%s%f", label, static_cast<double>(value));
  return std::string(text, static_cast<std::size_t>(length));
}

canvas::DrawString line(std::string text) { return {std::move(text), 1, 1, true, false}; }

void appendPanel(std::vector<canvas::CanvasOp>& ops, const Player& viewed) {
  const ProfileCameraSettings& s = viewed.camera;
  ops.insert(ops.end(), {
                            canvas::SetColor{0, 0, 0, 30},
                            canvas::DrawRect{5, 190, 255, 365},
                            canvas::SetColor{225, 225, 225, 255},
                            canvas::SetPosition{15, 200},
                            line("Player Settings: " + viewed.name),
                            canvas::SetPosition{15, 220},
                            line(printed("FOV: ", s.FOV)),
                            canvas::SetPosition{15, 240},
                            line(printed("Distance: ", s.Distance)),
                            canvas::SetPosition{15, 260},
                            line(printed("Height: ", s.Height)),
                            canvas::SetPosition{15, 280},
                            line(printed("Angle: ", s.Angle)),
                            canvas::SetPosition{15, 300},
                            line(printed("Stiffness: ", s.Stiffness)),
                            canvas::SetPosition{15, 320},
                            line(printed("Swivel Speed: ", s.SwivelSpeed)),
                            canvas::SetPosition{15, 340},
                            line(printed("Transition Speed: ", s.TransitionSpeed)),
                            canvas::SetPosition{15, 360},
                        });
}

const Player* playerAt(const pluginsdk::host::Scene& scene, std::uint64_t handle) {
  if (handle == 0) return nullptr;
  const auto found = scene.players.find(handle);
  return found == scene.players.end() ? nullptr : &found->second;
}

}  // namespace

std::vector<canvas::CanvasOp> expectedDrawing(const DrawPassInput& input) {
  const pluginsdk::host::Scene& scene = input.scene;
  std::vector<canvas::CanvasOp> ops;
  // Only in a replay, with a camera viewing a player, and a replay event
  // whose car list is not empty.
  if (!scene.inReplay || !scene.camera) return ops;
  const Player* viewed = playerAt(scene, scene.camera->viewTarget);
  if (viewed == nullptr || !scene.event) return ops;

  // The list's length is asked before every index; the host may replace the
  // list just before a given Get.
  const auto* cars = &scene.event->cars;
  if (cars->empty()) return ops;
  std::uint32_t gets = 0;
  for (std::size_t i = 0; i < cars->size(); ++i) {
    ++gets;
    if (input.change && gets == input.change->beforeGet) cars = &input.change->cars;
    if (i >= cars->size() || !(*cars)[i]) continue;             // a null car
    if (playerAt(scene, (*cars)[i]->pri) == nullptr) continue;  // no player info
    if (!viewed->hasCar) continue;
    appendPanel(ops, *viewed);  // always the viewed player, whoever drives
  }
  return ops;
}

}  // namespace quillmark::fuzz
