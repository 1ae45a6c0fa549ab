#include "draw_pass_model.h"

#include "reference_panel.h"

namespace quillmark::fuzz {
namespace {

using pluginsdk::host::Player;

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
    canvas::appendReferencePanel(ops, viewed->name,
                                 viewed->camera);  // always the viewed player, whoever drives
  }
  return ops;
}

}  // namespace quillmark::fuzz
